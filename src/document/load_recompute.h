#pragma once

#include "geometry/object_list.h"

namespace zelmora {

// Brings freshly linked objects to the positions that opening gives: the
// state after every object, in list order, rebuilt its incident list and
// recomputed itself and everything built on it — in time that grows with
// the drawing, not with its square.
void RecomputeLoaded(ObjectList& list);

}  // namespace zelmora
