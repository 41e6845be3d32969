#pragma once

#include <cstdint>
#include <random>

#include "geometry/tg_object.h"
#include "lessons/task.h"

// Random placings of the objects placed by hand, for checking a construction
// on many pictures instead of the one on the screen.
namespace zelmora {

// The part of the plane the instances use: where the givens stand, and at
// least a screen of 800 by 600 from the origin.
struct Surface {
  double left = 0, top = 0, right = 800, bottom = 600;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  double Diagonal() const;
};

Surface TaskSurface(const Task& task);

// Where an object stands on one picture, and whether it does.
struct Shape {
  int kind = kNoKind;
  bool defined = false;
  double a = 0, b = 0, c = 0, d = 0;  // point x, y; line x1, y1, x2, y2; circle cx, cy, r
  bool bounded1 = false, bounded2 = false;
};

Shape SnapshotOf(const TGObject& object);
// Puts `to` where `from` stands; both of one kind.
void CopyPlace(const TGObject& from, TGObject& to);

class InstancePlacer {
 public:
  InstancePlacer(const Surface& surface, std::uint64_t seed) : surface_(surface), random_(seed) {}
  // A free point anywhere inside, a free line through two such points, a
  // free circle about one with a radius of a tenth to a third of the
  // surface; a point on an object goes to a random place, which its
  // recompute takes onto the object.
  void Place(TGObject& object);

 private:
  double Between(double low, double high);
  void RandomPoint(double& x, double& y);

  Surface surface_;
  std::mt19937_64 random_;
};

}  // namespace zelmora
