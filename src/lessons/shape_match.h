#pragma once

#include "lessons/instance_placer.h"

namespace zelmora {

// Whether `candidate` coincides with `target` within `tolerance` pixels:
// points by position, circles by centre and radius, a segment by its two
// ends, a ray by its start and direction, a full line as a whole line (any
// line lying on it, measured across the surface).
bool SameShape(const Shape& target, const Shape& candidate, double tolerance,
               const Surface& surface);

}  // namespace zelmora
