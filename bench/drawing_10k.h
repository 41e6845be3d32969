#pragma once

// The 10 000-object drawing that the repaint and history benchmarks share.
#include <vector>

#include "geometry/object_list.h"

namespace zelmora::bench {

inline constexpr int kDescendants = 10000;
inline constexpr int kBasePoints = 200;

// A free point P at the centre and, built on it through a chain, 10 000
// objects: labelled points, full lines, segments and circles in turn, each
// reaching towards one of 200 free points spread over the surface.
inline TGPoint& BuildDrawing(ObjectList& list, int width, int height) {
  TGPoint& root = list.AddPoint();
  root.X = width / 2.0;
  root.Y = height / 2.0;
  list.Complete(root, {}, 0);
  std::vector<TGPoint*> bases;
  for (int i = 0; i < kBasePoints; ++i) {
    TGPoint& b = list.AddPoint();
    b.X = 20 + (i * 97) % (width - 40);
    b.Y = 20 + (i * 61) % (height - 40);
    list.Complete(b, {}, 0);
    bases.push_back(&b);
  }
  TGPoint* last = &root;
  for (int k = 0; k < kDescendants; ++k) {
    TGPoint* base = bases[static_cast<std::size_t>(k % kBasePoints)];
    switch (k % 4) {
      case 0: {
        TGPoint& m = list.AddPoint();
        list.Complete(m, {last, base}, 9);
        last = &m;
        break;
      }
      case 1:
        list.Complete(list.AddLine(), {last, base}, 101);
        break;
      case 2:
        list.Complete(list.AddLine(), {last, base}, 105);
        break;
      default:
        list.Complete(list.AddCircle(), {last, base}, 201);
        break;
    }
  }
  return root;
}

}  // namespace zelmora::bench
