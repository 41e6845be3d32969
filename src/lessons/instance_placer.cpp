#include "lessons/instance_placer.h"

#include <algorithm>
#include <cmath>

#include "geometry/object_shape.h"
#include "geometry/tg_circle.h"
#include "geometry/tg_line.h"
#include "geometry/tg_point.h"

namespace zelmora {
namespace {

// Keeps random objects off the very edge, where a pupil would not test.
constexpr double kInset = 0.1;

void Include(Surface& surface, double x, double y) {
  // Coordinates far off come from damaged drawings; they do not stretch the surface.
  if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > 1e6 || std::abs(y) > 1e6) return;
  surface.left = std::min(surface.left, x);
  surface.right = std::max(surface.right, x);
  surface.top = std::min(surface.top, y);
  surface.bottom = std::max(surface.bottom, y);
}

}  // namespace

double Surface::Diagonal() const {
  return std::hypot(Width(), Height());
}

Surface TaskSurface(const Task& task) {
  Surface surface;
  for (std::size_t i = 0; i < task.givenCount; ++i) {
    const Shape shape = SnapshotOf(task.construction[i]);
    if (shape.kind == kPointKind || shape.kind == kLineKind) Include(surface, shape.a, shape.b);
    if (shape.kind == kLineKind) Include(surface, shape.c, shape.d);
    if (shape.kind == kCircleKind) {
      Include(surface, shape.a - shape.c, shape.b - shape.c);
      Include(surface, shape.a + shape.c, shape.b + shape.c);
    }
  }
  return surface;
}

Shape SnapshotOf(const TGObject& object) {
  const ShapeNumbers numbers = ShapeOf(object);
  Shape shape{object.Kind(), object.Defined, numbers[0], numbers[1], numbers[2], numbers[3]};
  if (object.Kind() == kLineKind) {
    const auto& line = static_cast<const TGLine&>(object);
    shape.bounded1 = line.Bounded1, shape.bounded2 = line.Bounded2;
  }
  return shape;
}

void CopyPlace(const TGObject& from, TGObject& to) {
  SetShape(to, ShapeOf(from));
}

double InstancePlacer::Between(double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random_);
}

void InstancePlacer::RandomPoint(double& x, double& y) {
  const double dx = surface_.Width() * kInset, dy = surface_.Height() * kInset;
  // Whole pixels, as a mouse places them.
  x = std::round(Between(surface_.left + dx, surface_.right - dx));
  y = std::round(Between(surface_.top + dy, surface_.bottom - dy));
}

void InstancePlacer::Place(TGObject& object) {
  switch (object.Kind()) {
    case kPointKind: {
      auto& p = static_cast<TGPoint&>(object);
      RandomPoint(p.X, p.Y);
      break;
    }
    case kLineKind: {
      auto& l = static_cast<TGLine&>(object);
      RandomPoint(l.X1, l.Y1);
      do {
        RandomPoint(l.X2, l.Y2);
      } while (std::hypot(l.X2 - l.X1, l.Y2 - l.Y1) < surface_.Diagonal() * kInset);
      break;
    }
    case kCircleKind: {
      auto& c = static_cast<TGCircle&>(object);
      RandomPoint(c.CX, c.CY);
      const double side = std::min(surface_.Width(), surface_.Height());
      c.R = std::round(Between(side / 10, side / 3));
      break;
    }
    default:
      break;
  }
}

}  // namespace zelmora
