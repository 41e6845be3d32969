#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/object_list.h"
#include "geometry/tg_object.h"

namespace zelmora {

// Walks of the dependency graph. All are iterative and linear in objects plus
// links, so a chain of 100 000 objects or a lattice with billions of paths is
// handled in one pass without deep recursion.
class GraphWalker {
 public:
  // `root` and every descendant, each once, in the order the path-counting
  // update recomputes them: an object comes at its last visit in depth-first
  // order of Children, hence after all of its parents that lie below `root`.
  static std::vector<TGObject*> UpdateOrder(TGObject& root);

  // Calls `visit` on `root` and each descendant, each once, in no set order.
  template <class F>
  static void ForEachDescendant(TGObject& root, F visit) {
    const std::uint64_t stamp = NextStamp();
    std::vector<TGObject*> stack{&root};
    root.visitStamp_ = stamp;
    while (!stack.empty()) {
      TGObject* o = stack.back();
      stack.pop_back();
      visit(*o);
      for (TGObject* child : o->Children) {
        if (child != nullptr && child->visitStamp_ != stamp) {
          child->visitStamp_ = stamp;
          stack.push_back(child);
        }
      }
    }
  }

 private:
  static std::uint64_t NextStamp();
};

// One drag of an object, from the press to the release. Nothing is built on
// or removed from the drawing while the mouse holds an object, so the order in
// which the objects built on it follow is taken once, at the press, and not
// again at every move.
class DragSession {
 public:
  explicit DragSession(TGObject& dragged);
  TGObject& Dragged() const { return *order_.front(); }
  void DragTo(int x, int y);
  void ShiftTo(int x, int y);

 private:
  void Update();
  bool AnyParentMoved(std::size_t i) const;
  std::vector<TGObject*> order_;  // the dragged object first
  // The parents of order_[i] that lie in order_, by their place there:
  // parentsAt_[parentsFrom_[i] .. parentsFrom_[i + 1]). Others never move.
  std::vector<std::uint32_t> parentsFrom_, parentsAt_;
  // Of each object of order_, whether the last step moved it; empty when
  // the objects cannot be told apart.
  std::vector<std::uint8_t> moved_;
  bool stepped_ = false;  // whether a step has worked out every object yet
};

// Recomputes one object, recording in its drawing's log what moved.
void Recompute(TGObject& object);

// Recomputes `changed` and then every object built on it, each exactly once,
// each after all of its changed parents. Whoever changes an object calls this.
void UpdateDescendants(TGObject& changed);

// The objects' indices with every object after all its parents. On a cycle
// the objects on or below it are missing.
std::vector<std::size_t> ParentsFirst(const ObjectList& list);

}  // namespace zelmora
