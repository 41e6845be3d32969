#pragma once

// The 10 000-object drawings that the repaint and history benchmarks share.
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/object_list.h"

namespace zelmora::bench {

inline constexpr int kDescendants = 10000;
inline constexpr int kBasePoints = 200;

// A free point P at the centre and, built on it through a chain,
// `descendants` objects: labelled points, full lines, segments and circles in
// turn, each reaching towards one of 200 free points spread over the surface.
inline TGPoint& BuildChainDrawing(ObjectList& list, int width, int height, int descendants) {
  TGPoint& root = list.AddPoint();
  root.X = width / 2.0;
  root.Y = height / 2.0;
  list.Complete(root, {}, CodeOf(ConstructionMethod::FreePoint));
  std::vector<TGPoint*> bases;
  for (int i = 0; i < kBasePoints; ++i) {
    TGPoint& b = list.AddPoint();
    b.X = 20 + (i * 97) % (width - 40);
    b.Y = 20 + (i * 61) % (height - 40);
    list.Complete(b, {}, CodeOf(ConstructionMethod::FreePoint));
    bases.push_back(&b);
  }
  TGPoint* last = &root;
  for (int k = 0; k < descendants; ++k) {
    TGPoint* base = bases[static_cast<std::size_t>(k % kBasePoints)];
    switch (k % 4) {
      case 0: {
        TGPoint& m = list.AddPoint();
        list.Complete(m, {last, base}, CodeOf(ConstructionMethod::Midpoint));
        last = &m;
        break;
      }
      case 1:
        list.Complete(list.AddLine(), {last, base},
                      CodeOf(ConstructionMethod::LineThroughTwoPoints));
        break;
      case 2:
        list.Complete(list.AddLine(), {last, base}, CodeOf(ConstructionMethod::Segment));
        break;
      default:
        list.Complete(list.AddCircle(), {last, base},
                      CodeOf(ConstructionMethod::CircleByCentreAndPoint));
        break;
    }
  }
  return root;
}

inline TGPoint& BuildDrawing(ObjectList& list, int width, int height) {
  return BuildChainDrawing(list, width, height, kDescendants);
}

inline constexpr int kMixedObjects = 10000;

// `objects` objects of the kinds a lesson builds: 12 % free points (P, at the
// centre, among them) and, all depending on P, midpoints, lines through two
// points, crossings of two lines and of a line with a circle, and circles by
// centre and point. Each round takes the midpoint m of the previous round's m
// and a free point, so the drawing stays on the surface; the line through m
// crosses both the other line and the circle centred on that crossing.
inline TGPoint& BuildMixedDrawingOf(ObjectList& list, int width, int height, int objects) {
  auto freePoint = [&list](double x, double y) -> TGPoint& {
    TGPoint& p = list.AddPoint();
    p.X = x;
    p.Y = y;
    list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
    return p;
  };
  TGPoint& root = freePoint(width / 2.0, height / 2.0);
  std::vector<TGPoint*> bases;
  for (int i = 1; i < objects * 12 / 100; ++i) {
    bases.push_back(&freePoint(20 + (i * 97) % (width - 40), 20 + (i * 61) % (height - 40)));
  }
  auto base = [&bases](int k) { return bases[static_cast<std::size_t>(k) % bases.size()]; };
  TGPoint *previous = &root, *m = &root;
  TGLine *through = nullptr, *other = nullptr;
  TGCircle* circle = nullptr;
  TGPoint* crossing = nullptr;
  for (int k = 0; list.size() < static_cast<std::size_t>(objects); ++k) {
    switch (k % 6) {
      case 0:
        previous = m;
        m = &list.AddPoint();
        list.Complete(*m, {previous, base(k)}, CodeOf(ConstructionMethod::Midpoint));
        break;
      case 1:
        through = &list.AddLine();
        list.Complete(*through, {m, base(k + 7)}, CodeOf(ConstructionMethod::LineThroughTwoPoints));
        break;
      case 2:
        other = &list.AddLine();
        list.Complete(*other, {previous, base(k + 13)},
                      CodeOf(ConstructionMethod::LineThroughTwoPoints));
        break;
      case 3:
        crossing = &list.AddPoint();
        list.Complete(*crossing, {through, other}, CodeOf(ConstructionMethod::LinesCrossing));
        break;
      case 4:
        circle = &list.AddCircle();
        list.Complete(*circle, {crossing, base(k)},
                      CodeOf(ConstructionMethod::CircleByCentreAndPoint));
        break;
      default:
        list.Complete(list.AddPoint(), {through, circle},
                      CodeOf(ConstructionMethod::LineCircleFirst));
        break;
    }
  }
  return root;
}

inline TGPoint& BuildMixedDrawing(ObjectList& list, int width, int height) {
  return BuildMixedDrawingOf(list, width, height, kMixedObjects);
}

inline constexpr int kNamedPoints = 10000;

// `count` free points spread over the surface, each with its own name,
// shown or hidden.
inline TGPoint& BuildNamedPointsOf(ObjectList& list, int width, int height, int count,
                                   bool namesShown = true) {
  TGPoint* first = nullptr;
  for (int i = 0; i < count; ++i) {
    TGPoint& p = list.AddPoint();
    p.X = 20 + (i * 97) % (width - 40);
    p.Y = 20 + (i * 61) % (height - 40);
    p.NameVisible = namesShown;
    list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
    if (first == nullptr) first = &p;
  }
  return *first;
}

inline TGPoint& BuildNamedPoints(ObjectList& list, int width, int height) {
  return BuildNamedPointsOf(list, width, height, kNamedPoints);
}

// `levels` + 1 free points scattered over the surface and `levels` rows of
// midpoints of neighbours in the row above; every free point reaches the
// bottom along astronomically many paths. Returns the middle free point.
inline TGPoint& BuildLattice(ObjectList& list, int levels, int width, int height) {
  std::vector<TGObject*> row;
  for (int i = 0; i <= levels; ++i) {
    TGPoint& p = list.AddPoint();
    p.X = 20 + (i * 97) % (width - 40);
    p.Y = 20 + (i * 61) % (height - 40);
    list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
    row.push_back(&p);
  }
  TGPoint& root = static_cast<TGPoint&>(*row[static_cast<std::size_t>(levels / 2)]);
  for (int level = 1; level <= levels; ++level) {
    std::vector<TGObject*> next;
    for (std::size_t i = 0; i + 1 < row.size(); ++i) {
      TGPoint& m = list.AddPoint();
      list.Complete(m, {row[i], row[i + 1]}, CodeOf(ConstructionMethod::Midpoint));
      next.push_back(&m);
    }
    row = std::move(next);
  }
  return root;
}

// 10 011 objects; about half of them hang below P.
inline TGPoint& BuildLatticeDrawing(ObjectList& list, int width, int height) {
  return BuildLattice(list, 140, width, height);
}

}  // namespace zelmora::bench
