#include "geometry/graph.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "geometry/object_shape.h"

namespace zelmora {

std::uint64_t GraphWalker::NextStamp() {
  static std::uint64_t stamp = 0;
  return ++stamp;
}

// The path-counting update recomputes an object at its last visit in a
// depth-first walk of Children. A depth-first search that takes the children
// from last to first and records each object when it finishes yields exactly
// the reverse of that order: the last visit of an object in the forward walk
// is its first visit in the mirrored one, and finishing times reverse.
std::vector<TGObject*> GraphWalker::UpdateOrder(TGObject& root) {
  const std::uint64_t stamp = NextStamp();
  std::vector<TGObject*> finished;
  // Each frame: the object and how many of its children are still to be tried
  // (counting down, so the last child is tried first).
  std::vector<std::pair<TGObject*, std::size_t>> stack;
  root.visitStamp_ = stamp;
  stack.emplace_back(&root, root.Children.size());
  while (!stack.empty()) {
    auto& [object, remaining] = stack.back();
    if (remaining == 0) {
      finished.push_back(object);
      stack.pop_back();
      continue;
    }
    TGObject* child = object->Children[--remaining];
    if (child != nullptr && child->visitStamp_ != stamp) {
      child->visitStamp_ = stamp;
      stack.emplace_back(child, child->Children.size());
    }
  }
  std::reverse(finished.begin(), finished.end());
  return finished;
}

void DragSession::DragTo(int x, int y) {
  TGObject& dragged = Dragged();
  ChangeLog::Moving(dragged, [&] { dragged.DragPosition(x, y); });
  Update();
}

void DragSession::ShiftTo(int x, int y) {
  TGObject& dragged = Dragged();
  ChangeLog::Moving(dragged, [&] { dragged.ShiftPosition(x, y); });
  Update();
}

// An object whose parents all came out of a step as they were comes out as
// it was too, and is not worked out again: a step of a drag of a point much
// depends on moves only the objects near it in the construction, while the
// halving of a chain of midpoints leaves the rest as they were to the bit.
// The first step works out every one, as the drawing may not have been.
void DragSession::Update() {
  static std::uint64_t steps = 0;  // over every session, so no stamp is left from an earlier one
  const std::uint64_t step = ++steps;
  auto moved = [step](const TGObject* parent) {
    return parent != nullptr && parent->movedStamp_ == step;
  };
  for (TGObject* object : order_) {
    if (stepped_ && object != order_.front() &&
        std::none_of(object->Parents.begin(), object->Parents.end(), moved)) {
      continue;
    }
    const Placing before = PlacingOf(*object);
    Recompute(*object);
    if (object == order_.front() || !(PlacingOf(*object) == before)) object->movedStamp_ = step;
  }
  stepped_ = true;
}

void Recompute(TGObject& object) {
  ChangeLog::Moving(object, [&object] { object.Recompute(); });
}

void UpdateDescendants(TGObject& changed) {
  for (TGObject* object : GraphWalker::UpdateOrder(changed)) Recompute(*object);
}

std::vector<std::size_t> ParentsFirst(const ObjectList& list) {
  const std::size_t n = list.size();
  std::vector<std::size_t> order;
  order.reserve(n);
  std::vector<std::size_t> waiting(n);
  for (std::size_t i = 0; i < n; ++i) {
    waiting[i] = list[i].Parents.size();
    if (waiting[i] == 0) order.push_back(i);
  }
  for (std::size_t k = 0; k < order.size(); ++k) {
    for (const TGObject* child : list[order[k]].Children) {
      if (child == nullptr) continue;
      const auto c = static_cast<std::size_t>(child->Index());
      if (--waiting[c] == 0) order.push_back(c);
    }
  }
  return order;
}

}  // namespace zelmora
