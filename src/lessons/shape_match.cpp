#include "lessons/shape_match.h"

#include <cmath>

namespace zelmora {
namespace {

struct Vec {
  double x, y;
};

double Distance(Vec p, Vec q) {
  return std::hypot(p.x - q.x, p.y - q.y);
}

// Distance of `p` from the whole line through the shape's two points.
double FromCarrier(const Shape& line, Vec p) {
  const double dx = line.c - line.a, dy = line.d - line.b;
  const double length = std::hypot(dx, dy);
  if (length == 0) return Distance(p, {line.a, line.b});
  return std::abs((p.x - line.a) * dy - (p.y - line.b) * dx) / length;
}

bool IsRay(const Shape& line) {
  return line.bounded1 != line.bounded2;
}

// A ray starts at its bounded end and runs through the other point.
Vec RayStart(const Shape& line) {
  return line.bounded1 ? Vec{line.a, line.b} : Vec{line.c, line.d};
}
Vec RayThrough(const Shape& line) {
  return line.bounded1 ? Vec{line.c, line.d} : Vec{line.a, line.b};
}

bool SameSegment(const Shape& t, const Shape& c, double tolerance) {
  if (!c.bounded1 || !c.bounded2) return false;
  const Vec t1{t.a, t.b}, t2{t.c, t.d}, c1{c.a, c.b}, c2{c.c, c.d};
  return (Distance(t1, c1) < tolerance && Distance(t2, c2) < tolerance) ||
         (Distance(t1, c2) < tolerance && Distance(t2, c1) < tolerance);
}

// Two points of the target's line a surface's half diagonal either side of
// where it passes nearest the middle (for a ray: its start and one further on).
bool FarPoints(const Shape& t, const Surface& surface, Vec& p, Vec& q) {
  const Vec from = IsRay(t) ? RayStart(t) : Vec{t.a, t.b};
  const Vec to = IsRay(t) ? RayThrough(t) : Vec{t.c, t.d};
  const double length = Distance(from, to);
  if (length == 0 || !std::isfinite(length)) return false;
  const Vec u{(to.x - from.x) / length, (to.y - from.y) / length};
  const double reach = surface.Diagonal() / 2;
  if (IsRay(t)) {
    p = from, q = {from.x + u.x * reach, from.y + u.y * reach};
    return true;
  }
  const Vec middle{(surface.left + surface.right) / 2, (surface.top + surface.bottom) / 2};
  const double along = (middle.x - from.x) * u.x + (middle.y - from.y) * u.y;
  const Vec foot{from.x + u.x * along, from.y + u.y * along};
  p = {foot.x - u.x * reach, foot.y - u.y * reach};
  q = {foot.x + u.x * reach, foot.y + u.y * reach};
  return true;
}

bool SameLine(const Shape& t, const Shape& c, double tolerance, const Surface& surface) {
  if (t.bounded1 && t.bounded2) return SameSegment(t, c, tolerance);
  Vec p, q;
  if (!FarPoints(t, surface, p, q)) return false;
  if (FromCarrier(c, p) >= tolerance || FromCarrier(c, q) >= tolerance) return false;
  if (!IsRay(t)) return true;
  if (!IsRay(c) || Distance(RayStart(c), RayStart(t)) >= tolerance) return false;
  const Vec s = RayStart(c), through = RayThrough(c);
  return (through.x - s.x) * (q.x - p.x) + (through.y - s.y) * (q.y - p.y) > 0;
}

}  // namespace

bool SameShape(const Shape& target, const Shape& candidate, double tolerance,
               const Surface& surface) {
  if (!target.defined || !candidate.defined || target.kind != candidate.kind) return false;
  switch (target.kind) {
    case kPointKind:
      return Distance({target.a, target.b}, {candidate.a, candidate.b}) < tolerance;
    case kCircleKind:
      return Distance({target.a, target.b}, {candidate.a, candidate.b}) < tolerance &&
             std::abs(target.c - candidate.c) < tolerance;
    case kLineKind:
      return SameLine(target, candidate, tolerance, surface);
    default:
      return false;
  }
}

}  // namespace zelmora
