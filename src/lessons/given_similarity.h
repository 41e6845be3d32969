#pragma once

#include <complex>
#include <optional>

#include "geometry/object_list.h"
#include "lessons/task.h"

// How a pupil's drawing as a whole was moved away from the task's givens: a
// zoom, a pan, a turn or a mirror of the whole drawing moves every object by
// one similarity, which can be undone for all of them at once.
namespace zelmora {

// z -> a z + b, or with `mirrored` a conj(z) + b, on points (x + iy).
struct Similarity {
  std::complex<double> a{1, 0}, b{0, 0};
  bool mirrored = false;
  std::complex<double> Apply(std::complex<double> z) const {
    return a * (mirrored ? std::conj(z) : z) + b;
  }
};

// The similarity that takes the attempt's givens placed by hand onto the
// task's, each within half a pixel; none when no similarity does. The
// attempt must start with the givens (kind and method).
std::optional<Similarity> GivensSimilarity(const Task& task, const ObjectList& attempt);

// Moves a point, line or circle placed by hand by `t`.
void MoveBy(const Similarity& t, TGObject& object);

}  // namespace zelmora
