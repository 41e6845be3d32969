#include "lessons/given_similarity.h"

#include <utility>
#include <vector>

#include "geometry/object_shape.h"
#include "lessons/method_steps.h"

namespace zelmora {
namespace {

using Point = std::complex<double>;

// A given stands where the task put it when it is within half a pixel.
constexpr double kTolerance = 0.5;
// Two anchors closer than this do not fix a turn and a scale.
constexpr double kDistinct = 1.0;

// Where a given placed by hand is pinned: a point, a line's two points, a
// circle's centre; `from` in the attempt, `to` in the task.
struct Anchor {
  Point from, to;
};

std::vector<Anchor> AnchorsOf(const Task& task, const ObjectList& attempt) {
  std::vector<Anchor> anchors;
  for (std::size_t i = 0; i < task.givenCount; ++i) {
    const TGObject& given = task.construction[i];
    if (!PlacedByHand(given)) continue;
    const ShapeNumbers from = ShapeOf(attempt[i]), to = ShapeOf(given);
    anchors.push_back({{from[0], from[1]}, {to[0], to[1]}});
    if (given.Kind() == kLineKind) anchors.push_back({{from[2], from[3]}, {to[2], to[3]}});
  }
  return anchors;
}

bool Fits(const Similarity& t, const Task& task, const ObjectList& attempt,
          const std::vector<Anchor>& anchors) {
  for (const Anchor& anchor : anchors) {
    // Written so that a damaged file's NaN fits nothing.
    if (!(std::abs(t.Apply(anchor.from) - anchor.to) <= kTolerance)) return false;
  }
  for (std::size_t i = 0; i < task.givenCount; ++i) {
    const TGObject& given = task.construction[i];
    if (given.Kind() != kCircleKind || !PlacedByHand(given)) continue;
    if (!(std::abs(ShapeOf(attempt[i])[2] * std::abs(t.a) - ShapeOf(given)[2]) <= kTolerance)) {
      return false;
    }
  }
  return true;
}

// The similarities that take `first` and `second` (or `first` alone) where
// they belong: turned or mirrored.
std::vector<Similarity> Candidates(const std::vector<Anchor>& anchors) {
  const Anchor& first = anchors.front();
  for (const Anchor& second : anchors) {
    const Point span = second.from - first.from;
    if (std::abs(span) < kDistinct) continue;
    const Point reach = second.to - first.to;
    Similarity turned{reach / span, {}, false};
    Similarity mirrored{reach / std::conj(span), {}, true};
    turned.b = first.to - turned.a * first.from;
    mirrored.b = first.to - mirrored.a * std::conj(first.from);
    return {turned, mirrored};
  }
  return {Similarity{{1, 0}, first.to - first.from, false}};
}

}  // namespace

std::optional<Similarity> GivensSimilarity(const Task& task, const ObjectList& attempt) {
  const std::vector<Anchor> anchors = AnchorsOf(task, attempt);
  if (anchors.empty()) return std::nullopt;
  for (const Similarity& t : Candidates(anchors)) {
    if (Fits(t, task, attempt, anchors)) return t;
  }
  return std::nullopt;
}

void MoveBy(const Similarity& t, TGObject& object) {
  ShapeNumbers shape = ShapeOf(object);
  const Point first = t.Apply({shape[0], shape[1]});
  shape[0] = first.real(), shape[1] = first.imag();
  if (object.Kind() == kLineKind) {
    const Point second = t.Apply({shape[2], shape[3]});
    shape[2] = second.real(), shape[3] = second.imag();
  } else if (object.Kind() == kCircleKind) {
    shape[2] *= std::abs(t.a);
  }
  SetShape(object, shape);
}

}  // namespace zelmora
