#include "document/load_recompute.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/graph.h"
#include "geometry/object_shape.h"
#include "geometry/tg_line.h"

// Opening means: every object in list order rebuilds its incident list and
// recomputes itself and all it carries. Done literally that is quadratic on
// deep drawings, and nearly all of it is work whose result is overwritten.
//
// An object's final state is what its last recompute wrote. That recompute
// happens in the last step that reaches the object, when everything above it
// is already final, so it reads final inputs. If for those inputs the
// recompute writes every field afresh, whatever the object held before, the
// final state needs nothing of the history: one pass in parents-first order
// gives it. Only two kinds of object need their history:
//  - a slider starts its projection from where it stands, so it depends on
//    every intermediate position of its line or circle;
//  - a recompute that keeps some old fields (an undefined result keeps the
//    old position; a degenerate angle keeps the old line) carries a value
//    from an earlier step.
// For those and everything above them the literal order is followed, and
// even there a recompute is made only when it can change something.
namespace zelmora {
namespace {

std::size_t At(const TGObject* o) {
  return static_cast<std::size_t>(o->Index());
}

// Everything a recompute may write, bit for bit, so that a change of sign of
// zero or a NaN counts as a change too.
struct Written {
  std::array<std::uint64_t, 4> values{};
  std::array<bool, 3> flags{};
  bool operator==(const Written&) const = default;
};

Written WrittenBy(const TGObject& object) {
  Written w;
  const ShapeNumbers shape = ShapeOf(object);
  for (std::size_t i = 0; i < shape.size(); ++i)
    w.values[i] = std::bit_cast<std::uint64_t>(shape[i]);
  w.flags[0] = object.Defined;
  if (object.Kind() == kLineKind) {
    const auto& l = static_cast<const TGLine&>(object);
    w.flags[1] = l.Bounded1;
    w.flags[2] = l.Bounded2;
  }
  return w;
}

void Restore(TGObject& object, const Written& w) {
  ShapeNumbers shape;
  for (std::size_t i = 0; i < shape.size(); ++i) shape[i] = std::bit_cast<double>(w.values[i]);
  SetShape(object, shape);
  object.Defined = w.flags[0];
  if (object.Kind() == kLineKind) {
    auto& l = static_cast<TGLine&>(object);
    l.Bounded1 = w.flags[1];
    l.Bounded2 = w.flags[2];
  }
}

bool Recomputes(const TGObject& object) {
  if (object.Kind() == kMeasureKind) return true;
  const MethodInfo* method = MethodOf(object);
  return method != nullptr && method->recompute != nullptr;
}

bool IsSlider(const TGObject& object) {
  const MethodInfo* method = MethodOf(object);
  return method != nullptr && (method->method == ConstructionMethod::PointOnLine ||
                               method->method == ConstructionMethod::PointOnCircle);
}

// Whether a recompute with unchanged parents changes nothing. Sliders start
// from where they stand, and the crossings that look for a common point read
// objects beyond their parents (always above them, through a parent's
// incident list), so those are always recomputed.
bool ReadsOnlyParents(const TGObject& object) {
  const MethodInfo* method = MethodOf(object);
  if (method == nullptr || method->recompute == nullptr) return true;
  switch (method->method) {
    case ConstructionMethod::PointOnLine:
    case ConstructionMethod::PointOnCircle:
    case ConstructionMethod::LineCircleFirst:
    case ConstructionMethod::LineCircleSecond:
    case ConstructionMethod::CirclesFirst:
    case ConstructionMethod::CirclesSecond:
      return false;
    default:
      return true;
  }
}

// Adds to `marked` everything above the objects of `from`.
void MarkAncestors(const ObjectList& list, std::vector<std::size_t> from,
                   std::vector<bool>& marked) {
  while (!from.empty()) {
    const std::size_t j = from.back();
    from.pop_back();
    for (const TGObject* parent : list[j].Parents) {
      if (parent != nullptr && !marked[At(parent)]) {
        marked[At(parent)] = true;
        from.push_back(At(parent));
      }
    }
  }
}

// The literal order restricted to `exact`, a set that holds everything above
// each of its members: steps of other objects reach none of it, and its
// members read nothing outside it. Within a step any parents-first order
// gives the same result, since a recompute reads only what lies above it.
void FollowLiteralOrder(ObjectList& list, const std::vector<std::size_t>& order,
                        const std::vector<bool>& exact) {
  const std::size_t n = list.size();
  std::vector<std::size_t> rank(n);
  for (std::size_t k = 0; k < n; ++k) rank[order[k]] = k;

  // The step that first recomputes an object is its smallest index among
  // itself and its ancestors; an object reading more than its parents makes
  // every step above it walk.
  std::vector<std::size_t> first(n);
  std::vector<bool> pure(n), walkBelow(n);
  for (std::size_t j : order) {
    if (!exact[j]) continue;
    first[j] = j;
    pure[j] = ReadsOnlyParents(list[j]);
    for (const TGObject* parent : list[j].Parents) {
      if (parent != nullptr) first[j] = std::min(first[j], first[At(parent)]);
    }
  }
  for (auto k = n; k-- > 0;) {
    const std::size_t j = order[k];
    if (!exact[j]) continue;
    bool walk = !pure[j];
    for (const TGObject* child : list[j].Children) {
      if (child != nullptr && exact[At(child)]) walk = walk || walkBelow[At(child)];
    }
    walkBelow[j] = walk;
  }
  std::vector<std::vector<std::size_t>> firstAt(n);
  for (std::size_t j = 0; j < n; ++j) {
    if (exact[j]) firstAt[first[j]].push_back(j);
  }

  std::uint64_t tick = 0;
  std::vector<std::uint64_t> computedAt(n, 0), changedAt(n, 0);
  const auto stale = [&](std::size_t j) {
    if (!pure[j] || computedAt[j] == 0) return true;
    return std::any_of(list[j].Parents.begin(), list[j].Parents.end(), [&](const TGObject* p) {
      return p != nullptr && changedAt[At(p)] > computedAt[j];
    });
  };
  // Returns whether the object changed.
  const auto recompute = [&](std::size_t j) {
    const Written before = WrittenBy(list[j]);
    list[j].Recompute();
    computedAt[j] = ++tick;
    if (WrittenBy(list[j]) == before) return false;
    changedAt[j] = tick;
    return true;
  };

  std::vector<std::size_t> queuedIn(n, n);  // the step an object was queued in
  std::priority_queue<std::pair<std::size_t, std::size_t>,
                      std::vector<std::pair<std::size_t, std::size_t>>, std::greater<>>
      queue;  // (rank, index): parents come out before children
  std::vector<std::size_t> below;
  for (std::size_t i = 0; i < n; ++i) {
    list[i].RebuildIncident();
    if (!exact[i]) continue;
    const auto enqueue = [&](std::size_t j) {
      if (queuedIn[j] == i) return;
      queuedIn[j] = i;
      queue.emplace(rank[j], j);
    };
    if (walkBelow[i]) {
      // Everything the step reaches within the set, parents first.
      below.assign(1, i);
      queuedIn[i] = i;
      for (std::size_t k = 0; k < below.size(); ++k) {
        for (const TGObject* child : list[below[k]].Children) {
          if (child != nullptr && exact[At(child)] && queuedIn[At(child)] != i) {
            queuedIn[At(child)] = i;
            below.push_back(At(child));
          }
        }
      }
      std::sort(below.begin(), below.end(),
                [&](std::size_t a, std::size_t b) { return rank[a] < rank[b]; });
      for (std::size_t j : below) {
        if (stale(j)) recompute(j);
      }
      continue;
    }
    enqueue(i);
    for (std::size_t j : firstAt[i]) enqueue(j);
    while (!queue.empty()) {
      const std::size_t j = queue.top().second;
      queue.pop();
      if (!stale(j) || !recompute(j)) continue;
      for (const TGObject* child : list[j].Children) {
        if (child != nullptr && exact[At(child)]) enqueue(At(child));
      }
    }
  }
}

// Recomputes the object from its current inputs and tells whether the result
// is the same whatever the object held before: every stored value is put one
// bit off (and Defined flipped) and the recompute made again.
bool RecomputeIgnoresPast(TGObject& object) {
  Written past = WrittenBy(object);
  object.Recompute();
  const Written result = WrittenBy(object);
  for (auto& v : past.values) v ^= 1;
  past.flags[0] = !past.flags[0];
  Restore(object, past);
  object.Recompute();
  const bool same = WrittenBy(object) == result;
  Restore(object, result);
  return same;
}

}  // namespace

void RecomputeLoaded(ObjectList& list) {
  const std::size_t n = list.size();
  const std::vector<std::size_t> order = ParentsFirst(list);
  if (order.size() != n) {  // not reached after the reader's checks; stay literal
    for (std::size_t i = 0; i < n; ++i) {
      list[i].RebuildIncident();
      UpdateDescendants(list[i]);
    }
    return;
  }
  std::vector<Written> stored(n);
  std::vector<std::vector<TGObject*>> storedIncident(n);
  for (std::size_t i = 0; i < n; ++i) {
    stored[i] = WrittenBy(list[i]);
    storedIncident[i] = list[i].Incident;
  }

  std::vector<bool> exact(n);
  std::vector<std::size_t> needHistory;
  for (std::size_t i = 0; i < n; ++i) {
    if (IsSlider(list[i])) needHistory.push_back(i);
  }
  // Each round either finishes or moves objects into the exact set, which
  // only grows, so the rounds end.
  for (;;) {
    for (std::size_t j : needHistory) exact[j] = true;
    MarkAncestors(list, std::move(needHistory), exact);
    FollowLiteralOrder(list, order, exact);
    needHistory.clear();
    for (std::size_t j : order) {
      if (!exact[j] && Recomputes(list[j]) && !RecomputeIgnoresPast(list[j])) {
        needHistory.push_back(j);
      }
    }
    if (needHistory.empty()) return;
    for (std::size_t i = 0; i < n; ++i) {
      Restore(list[i], stored[i]);
      list[i].Incident = storedIncident[i];
    }
  }
}

}  // namespace zelmora
