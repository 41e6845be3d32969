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

DragSession::DragSession(TGObject& dragged) : order_(GraphWalker::UpdateOrder(dragged)) {
  // Each object's place in order_ by its index in the drawing, 0 for none.
  int most = 0;
  for (const TGObject* object : order_) most = std::max(most, object->Index());
  std::vector<std::uint32_t> place(static_cast<std::size_t>(most) + 1, 0);
  for (std::size_t i = 0; i < order_.size(); ++i) {
    // An object outside the drawing cannot be told by its index: every step
    // then works out every object.
    if (order_[i]->Index() < 0) return;
    place[static_cast<std::size_t>(order_[i]->Index())] = i + 1;
  }
  parentsFrom_.reserve(order_.size() + 1);
  for (const TGObject* object : order_) {
    parentsFrom_.push_back(static_cast<std::uint32_t>(parentsAt_.size()));
    for (const TGObject* parent : object->Parents) {
      const int index = parent == nullptr ? -1 : parent->Index();
      if (index < 0 || index > most || place[static_cast<std::size_t>(index)] == 0) continue;
      parentsAt_.push_back(place[static_cast<std::size_t>(index)] - 1);
    }
  }
  parentsFrom_.push_back(static_cast<std::uint32_t>(parentsAt_.size()));
  moved_.assign(order_.size(), 0);
}

// An object whose parents all came out of a step as they were comes out as
// it was too, and is not worked out again: a step of a drag of a point much
// depends on moves only the objects near it in the construction, while the
// halving of a chain of midpoints leaves the rest as they were to the bit.
// The first step works out every one, as the drawing may not have been.
void DragSession::Update() {
  for (std::size_t i = 0; i < order_.size(); ++i) {
    if (stepped_ && i > 0 && !moved_.empty() && !AnyParentMoved(i)) {
      moved_[i] = 0;
      continue;
    }
    TGObject& object = *order_[i];
    const Placing before = PlacingOf(object);
    Recompute(object);
    if (!moved_.empty()) moved_[i] = i == 0 || !(PlacingOf(object) == before);
  }
  stepped_ = true;
}

bool DragSession::AnyParentMoved(std::size_t i) const {
  for (std::uint32_t k = parentsFrom_[i]; k < parentsFrom_[i + 1]; ++k) {
    if (moved_[parentsAt_[k]] != 0) return true;
  }
  return false;
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
