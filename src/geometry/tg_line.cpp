#include "geometry/tg_line.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <optional>
#include <tuple>
#include <utility>

#include "geometry/construction_method.h"
#include "geometry/graph.h"
#include "geometry/pixel.h"
#include "geometry/plane_rules.h"
#include "geometry/tg_point.h"
#include "geometry/tg_value.h"

namespace zelmora {
namespace {

// Constructions that only know a direction put end 2 this far from end 1.
constexpr double kDirectionLength = 500;

struct Vec {
  double x = 0, y = 0;
};

bool IsZero(Vec v) {
  return v.x == 0 && v.y == 0;
}
double Length(Vec v) {
  return std::hypot(v.x, v.y);
}
Vec Unit(Vec v) {
  const double n = Length(v);
  return {v.x / n, v.y / n};
}
Vec At(const TGPoint& p) {
  return {p.X, p.Y};
}
Vec Direction(const TGLine& line) {
  return {line.X2 - line.X1, line.Y2 - line.Y1};
}
Vec Between(const TGPoint& from, const TGPoint& to) {
  return {to.X - from.X, to.Y - from.Y};
}

// Parent `i` as a T, provided it exists, is of that kind and is defined.
template <class T>
const T* DefinedParent(const TGLine& line, std::size_t i) {
  const T* parent = line.ParentAs<T>(i);
  return parent != nullptr && parent->Defined ? parent : nullptr;
}

template <class... T, std::size_t... Slot>
std::tuple<const T*...> DefinedParentsAt(const TGLine& line, std::index_sequence<Slot...>) {
  return {DefinedParent<T>(line, Slot)...};
}

// Parents 0, 1, ... as the method reads them, each of its kind and defined;
// when one is not, the line becomes undefined and nothing is returned.
template <class... T>
std::optional<std::tuple<const T*...>> DefinedParents(TGLine& line) {
  const auto parents = DefinedParentsAt<T...>(line, std::index_sequence_for<T...>{});
  const bool all = std::apply([](const auto*... p) { return ((p != nullptr) && ...); }, parents);
  if (!all) {
    line.Defined = false;
    return std::nullopt;
  }
  return parents;
}

void SetEnds(TGLine& line, Vec end1, Vec end2) {
  line.X1 = end1.x;
  line.Y1 = end1.y;
  line.X2 = end2.x;
  line.Y2 = end2.y;
}

// End 1 at `origin`, end 2 kDirectionLength along `direction`, a unit vector.
void SetFromOrigin(TGLine& line, Vec origin, Vec direction) {
  SetEnds(line, origin,
          {origin.x + kDirectionLength * direction.x, origin.y + kDirectionLength * direction.y});
}

// The direction `reference` takes when turned by the angle (cosA, sinA).
Vec Turned(Vec reference, double cosA, double sinA) {
  return {cosA * reference.x - sinA * reference.y, sinA * reference.x + cosA * reference.y};
}

}  // namespace

namespace recompute {

// 101: end 1 is the second pick.
void LineThroughTwoPoints(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGPoint>(line);
  if (!parents) return;
  const auto [p0, p1] = *parents;
  SetEnds(line, At(*p1), At(*p0));
  line.Defined = !IsZero(Between(*p0, *p1));
}

// 102
void ParallelLine(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGLine>(line);
  if (!parents) return;
  const auto [p, reference] = *parents;
  const Vec d = Direction(*reference);
  SetEnds(line, At(*p), {p->X + d.x, p->Y + d.y});
  line.Defined = true;
}

// 103: end 1 is the foot on the reference line, not the given point.
void PerpendicularLine(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGLine>(line);
  if (!parents) return;
  const auto [p, reference] = *parents;
  const Vec d = Direction(*reference);
  if (IsZero(d)) {
    line.Defined = false;
    return;
  }
  const double t =
      ((p->X - reference->X1) * d.x + (p->Y - reference->Y1) * d.y) / (d.x * d.x + d.y * d.y);
  const Vec foot{reference->X1 + t * d.x, reference->Y1 + t * d.y};
  SetEnds(line, foot, {foot.x + d.y, foot.y - d.x});
  line.Defined = true;
}

// 104
void PerpendicularBisector(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGPoint>(line);
  if (!parents) return;
  const auto [p0, p1] = *parents;
  const Vec d = Between(*p0, *p1);
  if (IsZero(d)) {
    line.Defined = false;
    return;
  }
  const Vec middle{p0->X + d.x / 2, p0->Y + d.y / 2};
  SetEnds(line, middle, {middle.x + d.y, middle.y - d.x});
  line.Defined = true;
}

// 105: a segment of two coinciding points is still drawn, as a dot.
void Segment(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGPoint>(line);
  if (!parents) return;
  const auto [p0, p1] = *parents;
  line.Defined = true;
  line.Bounded1 = line.Bounded2 = true;
  SetEnds(line, At(*p1), At(*p0));
}

// 106: through P0 at the angle P2-P3-P4 (vertex P3) to line P1. Degenerate
// data keep the line where it was, still defined.
void LineAtAngleOfThreePoints(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGLine, TGPoint, TGPoint, TGPoint>(line);
  if (!parents) return;
  const auto [through, reference, arm1, vertex, arm2] = *parents;
  line.Defined = true;
  const Vec e = Direction(*reference), u1 = Between(*vertex, *arm1), u2 = Between(*vertex, *arm2);
  if (IsZero(e) || IsZero(u1) || IsZero(u2)) return;
  const Vec eu = Unit(e), a = Unit(u1), b = Unit(u2);
  const double cosA = a.x * b.x + a.y * b.y;
  const double sinA = a.x * b.y - b.x * a.y;
  SetFromOrigin(line, At(*through), Turned(eu, cosA, sinA));
}

// 107: positive angles turn clockwise on the screen, since y grows downward.
void LineAtConstantAngle(TGLine& line) {
  const TGPoint* through = DefinedParent<TGPoint>(line, 0);
  const TGLine* reference = DefinedParent<TGLine>(line, 1);
  const TGAngle* angle = line.ParentAs<TGAngle>(2);
  if (through == nullptr || reference == nullptr || angle == nullptr) {
    line.Defined = false;
    return;
  }
  const Vec e = Direction(*reference);
  if (IsZero(e)) {
    line.Defined = false;
    return;
  }
  const double theta = angle->Value * std::numbers::pi / 180;
  SetFromOrigin(line, At(*through), Turned(Unit(e), std::cos(theta), std::sin(theta)));
  line.Defined = true;
}

// 108: the ray from the vertex P1 between the arms towards P0 and P2.
void BisectorOfThreePoints(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGPoint, TGPoint>(line);
  if (!parents) return;
  const auto [arm1, vertex, arm2] = *parents;
  line.X1 = vertex->X;
  line.Y1 = vertex->Y;
  line.Bounded1 = true;
  const Vec d1 = Between(*vertex, *arm1), d2 = Between(*vertex, *arm2);
  if (IsZero(d1) || IsZero(d2)) {
    line.Defined = false;
    return;
  }
  const Vec a = Unit(d1), b = Unit(d2);
  // A straight angle gives a zero direction; the ray stays defined and the
  // drawing keeps its previous screen ends.
  line.X2 = line.X1 + kDirectionLength * (a.x + b.x) / 2;
  line.Y2 = line.Y1 + kDirectionLength * (a.y + b.y) / 2;
  line.Defined = true;
}

// 109
void Ray(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGPoint>(line);
  if (!parents) return;
  const auto [p0, p1] = *parents;
  SetEnds(line, At(*p0), At(*p1));
  line.Defined = !IsZero(Between(*p0, *p1));
  line.Bounded1 = true;
}

// 110: the arms are taken as whole lines, so the bisector exists wherever
// the two lines cross, even beyond a segment's end.
void BisectorOfTwoLines(TGLine& line) {
  const TGLine* first = DefinedParent<TGLine>(line, 0);
  const TGLine* second = DefinedParent<TGLine>(line, 1);
  Vec crossing;
  if (first == nullptr || second == nullptr ||
      !LineCrossing(*first, *second, crossing.x, crossing.y)) {
    line.Defined = false;
    return;
  }
  const Vec u = Unit(Direction(*first));
  Vec w = Unit(Direction(*second));
  if (w.y * u.x - w.x * u.y > 0) w = {-w.x, -w.y};
  SetEnds(line, crossing,
          {crossing.x + kDirectionLength * (u.x + w.x) / 2,
           crossing.y + kDirectionLength * (u.y + w.y) / 2});
  line.Defined = true;
}

// 111: through P0 at the angle from line P2 to line P3, laid off from line P1.
// The angle is taken between 0 and 180 degrees; degenerate lines keep the
// line where it was, still defined.
void LineAtAngleOfTwoLines(TGLine& line) {
  const auto parents = DefinedParents<TGPoint, TGLine, TGLine, TGLine>(line);
  if (!parents) return;
  const auto [through, reference, from, to] = *parents;
  line.Defined = true;
  const Vec e = Direction(*reference), m = Direction(*from), n = Direction(*to);
  if (IsZero(e) || IsZero(m) || IsZero(n)) return;
  const Vec mu = Unit(m);
  Vec nu = Unit(n);
  if (nu.y * mu.x - nu.x * mu.y < 0) nu = {-nu.x, -nu.y};
  const double cosA = mu.x * nu.x + mu.y * nu.y;
  const double sinA = nu.y * mu.x - mu.y * nu.x;
  SetFromOrigin(line, At(*through), Turned(Unit(e), cosA, sinA));
}

}  // namespace recompute

void TGLine::Recompute() {
  RecomputeByMethod(*this, kKind);
}

// Whether the drawn ends were last worked out for these very ends, bounds
// and window; if not, they are about to be.
bool TGLine::ScreenEndsFor(int windowWidth, int windowHeight) {
  const EndsFor now{{std::bit_cast<std::uint64_t>(X1), std::bit_cast<std::uint64_t>(Y1),
                     std::bit_cast<std::uint64_t>(X2), std::bit_cast<std::uint64_t>(Y2)},
                    windowWidth,
                    windowHeight,
                    Bounded1,
                    Bounded2};
  if (endsFor_ == now) return true;
  endsFor_ = now;
  return false;
}

void TGLine::UpdateScreenEnds(int windowWidth, int windowHeight) {
  if (ScreenEndsFor(windowWidth, windowHeight)) return;
  // Defining points may lie 1e19 pixels away, where a double's step is a
  // thousand pixels; in long double it is half a pixel.
  using Real = long double;
  const Real ex = Real(X2) - X1, ey = Real(Y2) - Y1;  // end 1 -> end 2
  const Real length = std::hypot(ex, ey);
  // Without a direction (a straight angle's bisector) there is nothing to lay
  // across the window: the previous screen ends stay.
  if (!(length > 0) || !std::isfinite(length)) {
    if (Bounded1) ScreenX1 = X1, ScreenY1 = Y1;
    if (Bounded2) ScreenX2 = X2, ScreenY2 = Y2;
    return;
  }
  const Real ux = ex / length, uy = ey / length;
  const Real w = windowWidth, h = windowHeight;
  // Everything is measured along the line from its point nearest the
  // window's centre, so the numbers that matter stay the size of the window.
  const Real t = (w / 2 - X1) * ux + (h / 2 - Y1) * uy;
  const Real px = X1 + ux * t, py = Y1 + uy * t;
  // Unbounded ends lie on the window's left and right edges, or its top and
  // bottom ones for a steep line; end 1 on the edge behind, end 2 ahead.
  const bool acrossX = std::abs(ex) > std::abs(ey);
  const Real edgeA = acrossX ? -px / ux : -py / uy;
  const Real edgeB = acrossX ? (w - px) / ux : (h - py) / uy;
  Real s1 = Bounded1 ? -t : std::min(edgeA, edgeB);
  Real s2 = Bounded2 ? length - t : std::max(edgeA, edgeB);
  // A ray starting beyond the window and pointing away from it has no visible
  // part; shrink it to its first point rather than draw it backwards.
  if (Bounded1 && !Bounded2 && s2 < s1) s2 = s1;
  if (Bounded2 && !Bounded1 && s1 > s2) s1 = s2;
  // Nothing farther than this from the nearest point can show; ends beyond
  // it are brought in along the line, so no pixel clamp later bends it.
  const Real reach = w + h + 16;
  auto place = [&](Real along, bool bounded, double x, double y, double& sx, double& sy) {
    if (bounded && std::abs(along) <= reach) {
      sx = x, sy = y;
      return;
    }
    along = std::clamp(along, -reach, reach);
    sx = static_cast<double>(px + ux * along);
    sy = static_cast<double>(py + uy * along);
  };
  place(s1, Bounded1, X1, Y1, ScreenX1, ScreenY1);
  place(s2, Bounded2, X2, Y2, ScreenX2, ScreenY2);
}

void TGLine::Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) {
  if (!IsShown(context.showAll)) return;
  UpdateScreenEnds(context.windowWidth, context.windowHeight);
  const zelmora::Color color = DrawColor(selected, blink);
  const bool wasTransparent = canvas.BackgroundTransparent();
  canvas.SetBackgroundTransparent(true);
  canvas.SetPen(color, Width, static_cast<zelmora::PenStyle>(PenStyle));
  canvas.SetFontColor(color);
  canvas.DrawLine(ToPixel(ScreenX1), ToPixel(ScreenY1), ToPixel(ScreenX2), ToPixel(ScreenY2));
  DrawLabel(canvas);
  canvas.SetBackgroundTransparent(wasTransparent);
}

// Measured to what is drawn: past a bounded end the distance is to the end
// itself, which rounds the hit zone there.
double TGLine::DistanceTo(double x, double y) const {
  if (Bounded1 && PastEnd(X1, Y1, X2, Y2, x, y)) return std::hypot(x - X1, y - Y1);
  if (Bounded2 && PastEnd(X2, Y2, X1, Y1, x, y)) return std::hypot(x - X2, y - Y2);
  const Vec d{X2 - X1, Y2 - Y1}, v{x - X1, y - Y1};
  const double t = Length(d), c = Length(v);
  const double p = t == 0 ? 0 : (v.x * d.x + v.y * d.y) / t;
  return std::sqrt(std::abs(c * c - p * p));
}

// The line turns about the grab point, which the window stored in SavedX/Y.
void TGLine::DragPosition(int x, int y) {
  X1 = SavedX;
  Y1 = SavedY;
  X2 = x;
  Y2 = y;
  if (X2 == X1 && Y2 == Y1) X2 = X1 + 1;
}

void TGLine::ShiftPosition(int x, int y) {
  const double mx = x - SavedX, my = y - SavedY;
  X1 += mx;
  Y1 += my;
  X2 += mx;
  Y2 += my;
  SavedX = x;
  SavedY = y;
}

void TGLine::ScaleAbout(int cx, int cy, double factor) {
  X1 = cx + (X1 - cx) * factor;
  Y1 = cy + (Y1 - cy) * factor;
  X2 = cx + (X2 - cx) * factor;
  Y2 = cy + (Y2 - cy) * factor;
}

// Keeps the current direction and moves end 1 from its saved place.
void TGLine::TranslateSaved(int x, int y, const TransformFrame& frame) {
  const double mx = x - frame.anchorX, my = y - frame.anchorY;
  X2 = (X2 - X1) + SavedX + mx;
  Y2 = (Y2 - Y1) + SavedY + my;
  X1 = SavedX + mx;
  Y1 = SavedY + my;
}

void TGLine::RotateSaved(int x, int y, const TransformFrame& frame) {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (!RotateAboutCenter(SavedX, SavedY, x, y, frame, x1, y1) ||
      !RotateAboutCenter(SavedX2, SavedY2, x, y, frame, x2, y2)) {
    return;
  }
  SetEnds(*this, {x1, y1}, {x2, y2});
}

void TGLine::ReflectInPoint(double x, double y) {
  SetEnds(*this, {2 * x - X1, 2 * y - Y1}, {2 * x - X2, 2 * y - Y2});
}

void TGLine::ReflectInLine(double x1, double y1, double x2, double y2) {
  if (!Defined || (x1 == x2 && y1 == y2)) return;
  MirrorInLine(X1, Y1, x1, y1, x2, y2);
  MirrorInLine(X2, Y2, x1, y1, x2, y2);
}

void TGLine::SavePosition() {
  SavedX = X1;
  SavedY = Y1;
  SavedX2 = X2;
  SavedY2 = Y2;
}

double TGLine::LabelX() const {
  return X1 + LabelOffsetX;
}
double TGLine::LabelY() const {
  return Y1 + LabelOffsetY;
}

void TGLine::MoveLabel(int x, int y, const LabelMoveContext& context) {
  MoveLabelOffset(*this, x, y, context);
}

// The points that lie on this line: children that slide on it or are cut from
// it, and the parent points the construction passes through.
void TGLine::RebuildIncident() {
  RebuildIncidentByMethod(*this);
}

}  // namespace zelmora
