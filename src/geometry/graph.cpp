#include "geometry/graph.h"

#include <algorithm>
#include <cstddef>
#include <utility>

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
  Dragged().DragPosition(x, y);
  Update();
}

void DragSession::ShiftTo(int x, int y) {
  Dragged().ShiftPosition(x, y);
  Update();
}

void DragSession::Update() const {
  for (TGObject* object : order_) object->Recompute();
}

void UpdateDescendants(TGObject& changed) {
  for (TGObject* object : GraphWalker::UpdateOrder(changed)) object->Recompute();
}

}  // namespace zelmora
