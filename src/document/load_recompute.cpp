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

bool Recomputes(const TGObject& object) {
  if (object.Kind() == kMeasureKind) return true;
  const MethodInfo* method = MethodOf(object);
  return method != nullptr && method->recompute != nullptr;
}

bool IsSlider(const TGObject& object) {
  const MethodInfo* method = MethodOf(object);
  return method != nullptr && method->reads == Reads::kOwnPlace;
}

// Whether a recompute with unchanged parents changes nothing. Sliders start
// from where they stand, and the crossings that look for a common point read
// objects beyond their parents (always above them, through a parent's
// incident list), so those are always recomputed.
bool ReadsOnlyParents(const TGObject& object) {
  const MethodInfo* method = MethodOf(object);
  return method == nullptr || method->recompute == nullptr || method->reads == Reads::kParentsOnly;
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
class LiteralOrder {
 public:
  LiteralOrder(ObjectList& list, const std::vector<std::size_t>& order,
               const std::vector<bool>& exact)
      : list_(list), order_(order), exact_(exact), n_(list.size()) {}

  void Run() {
    Plan();
    computedAt_.assign(n_, 0);
    changedAt_.assign(n_, 0);
    queuedIn_.assign(n_, n_);
    for (std::size_t i = 0; i < n_; ++i) {
      list_[i].RebuildIncident();
      if (!exact_[i]) continue;
      walkBelow_[i] ? WalkStep(i) : QueueStep(i);
    }
  }

 private:
  using Queued = std::pair<std::size_t, std::size_t>;  // (rank, index)

  // The step that first recomputes an object is its smallest index among
  // itself and its ancestors; an object reading more than its parents makes
  // every step above it walk.
  void Plan() {
    rank_.resize(n_);
    for (std::size_t k = 0; k < n_; ++k) rank_[order_[k]] = k;
    std::vector<std::size_t> first(n_);
    pure_.assign(n_, false);
    walkBelow_.assign(n_, false);
    for (std::size_t j : order_) {
      if (!exact_[j]) continue;
      first[j] = j;
      pure_[j] = ReadsOnlyParents(list_[j]);
      for (const TGObject* parent : list_[j].Parents) {
        if (parent != nullptr) first[j] = std::min(first[j], first[At(parent)]);
      }
    }
    for (auto k = n_; k-- > 0;) {
      const std::size_t j = order_[k];
      if (!exact_[j]) continue;
      bool walk = !pure_[j];
      for (const TGObject* child : list_[j].Children) {
        if (child != nullptr && exact_[At(child)]) walk = walk || walkBelow_[At(child)];
      }
      walkBelow_[j] = walk;
    }
    firstAt_.assign(n_, {});
    for (std::size_t j = 0; j < n_; ++j) {
      if (exact_[j]) firstAt_[first[j]].push_back(j);
    }
  }

  bool Stale(std::size_t j) const {
    if (!pure_[j] || computedAt_[j] == 0) return true;
    return std::any_of(list_[j].Parents.begin(), list_[j].Parents.end(), [&](const TGObject* p) {
      return p != nullptr && changedAt_[At(p)] > computedAt_[j];
    });
  }

  // Returns whether the object changed.
  bool Recompute(std::size_t j) {
    const Placing before = PlacingOf(list_[j]);
    list_[j].Recompute();
    computedAt_[j] = ++tick_;
    if (PlacingOf(list_[j]) == before) return false;
    changedAt_[j] = tick_;
    return true;
  }

  // Everything step `i` reaches within the set, parents first.
  void WalkStep(std::size_t i) {
    below_.assign(1, i);
    queuedIn_[i] = i;
    for (std::size_t k = 0; k < below_.size(); ++k) {
      for (const TGObject* child : list_[below_[k]].Children) {
        if (child != nullptr && exact_[At(child)] && queuedIn_[At(child)] != i) {
          queuedIn_[At(child)] = i;
          below_.push_back(At(child));
        }
      }
    }
    std::sort(below_.begin(), below_.end(),
              [&](std::size_t a, std::size_t b) { return rank_[a] < rank_[b]; });
    for (std::size_t j : below_) {
      if (Stale(j)) Recompute(j);
    }
  }

  // Only what changes is followed down.
  void QueueStep(std::size_t i) {
    Enqueue(i, i);
    for (std::size_t j : firstAt_[i]) Enqueue(j, i);
    while (!queue_.empty()) {
      const std::size_t j = queue_.top().second;
      queue_.pop();
      if (!Stale(j) || !Recompute(j)) continue;
      for (const TGObject* child : list_[j].Children) {
        if (child != nullptr && exact_[At(child)]) Enqueue(At(child), i);
      }
    }
  }

  void Enqueue(std::size_t j, std::size_t step) {
    if (queuedIn_[j] == step) return;
    queuedIn_[j] = step;
    queue_.emplace(rank_[j], j);
  }

  ObjectList& list_;
  const std::vector<std::size_t>& order_;
  const std::vector<bool>& exact_;
  const std::size_t n_;
  std::vector<std::size_t> rank_;
  std::vector<bool> pure_, walkBelow_;
  std::vector<std::vector<std::size_t>> firstAt_;
  std::uint64_t tick_ = 0;
  std::vector<std::uint64_t> computedAt_, changedAt_;
  std::vector<std::size_t> queuedIn_;  // the step an object was queued in
  // Parents come out before children.
  std::priority_queue<Queued, std::vector<Queued>, std::greater<>> queue_;
  std::vector<std::size_t> below_;
};

// Recomputes the object from its current inputs and tells whether the result
// is the same whatever the object held before: every stored value is put one
// bit off (and Defined flipped) and the recompute made again.
bool RecomputeIgnoresPast(TGObject& object) {
  Placing past = PlacingOf(object);
  object.Recompute();
  const Placing result = PlacingOf(object);
  for (auto& v : past.values) v ^= 1;
  past.flags[0] = !past.flags[0];
  SetPlacing(object, past);
  object.Recompute();
  const bool same = PlacingOf(object) == result;
  SetPlacing(object, result);
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
  std::vector<Placing> stored(n);
  std::vector<std::vector<TGObject*>> storedIncident(n);
  for (std::size_t i = 0; i < n; ++i) {
    stored[i] = PlacingOf(list[i]);
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
    LiteralOrder(list, order, exact).Run();
    needHistory.clear();
    for (std::size_t j : order) {
      if (!exact[j] && Recomputes(list[j]) && !RecomputeIgnoresPast(list[j])) {
        needHistory.push_back(j);
      }
    }
    if (needHistory.empty()) return;
    for (std::size_t i = 0; i < n; ++i) {
      SetPlacing(list[i], stored[i]);
      list[i].Incident = storedIncident[i];
    }
  }
}

}  // namespace zelmora
