#include "geometry/tg_circle.h"

#include "geometry/change_log.h"
#include "geometry/construction_method.h"

#include <algorithm>
#include <cmath>

#include "geometry/graph.h"
#include "geometry/pixel.h"
#include "geometry/plane_rules.h"
#include "geometry/tg_point.h"

namespace zelmora {
namespace {

// The label angle converts with 3.14 rather than pi, both ways, so the two
// factors stay exact inverses and a label keeps its familiar place.
constexpr double kRadiansPerDegree = 3.14 / 180;
constexpr double kDegreesPerRadian = 57.32484076433121;

const TGPoint* DefinedPoint(const TGCircle& circle, std::size_t i) {
  const TGPoint* p = circle.ParentAs<TGPoint>(i);
  return p != nullptr && p->Defined ? p : nullptr;
}

// 203: the crossing of the perpendicular bisectors of P0P1 and P0P2. False for
// collinear or coinciding points.
bool CentreThroughThree(const TGPoint& p0, const TGPoint& p1, const TGPoint& p2, double& cx,
                        double& cy) {
  const double a = p1.X - p0.X, b = p0.Y - p1.Y;
  const double m = p2.X - p0.X, l = p0.Y - p2.Y;
  if (a * l == m * b) return false;
  cx = (b * l * (l - b) + m * b * (m + 2 * p0.X) - a * l * (a + 2 * p0.X)) / 2 / (m * b - a * l);
  if (b != 0) {
    cy = (a / b) * cx + (2 * p0.Y - b - a * (a + 2 * p0.X) / b) / 2;
  } else {
    cy = (m / l) * cx + (2 * p0.Y - l - m * (m + 2 * p0.X) / l) / 2;
  }
  return true;
}

// Sets the circle when its values are usable. Three points all but on one
// line put the centre out of reach of doubles; such a circle cannot be drawn
// or cut, so it counts as not constructible.
void SetIfFinite(TGCircle& circle, double cx, double cy, double r) {
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r)) return;
  circle.CX = cx;
  circle.CY = cy;
  circle.R = r;
  circle.Defined = true;
}

}  // namespace

// Each constructed circle is undefined until it is computed; free circles
// (no recompute at all) keep even their Defined flag.
namespace recompute {

void CircleByCentreAndPoint(TGCircle& circle) {
  circle.Defined = false;
  const TGPoint* centre = DefinedPoint(circle, 0);
  const TGPoint* on = DefinedPoint(circle, 1);
  if (centre == nullptr || on == nullptr) return;
  SetIfFinite(circle, centre->X, centre->Y, std::hypot(centre->X - on->X, centre->Y - on->Y));
}

void CircleByCentreAndRadius(TGCircle& circle) {
  circle.Defined = false;
  const TGPoint* centre = DefinedPoint(circle, 0);
  const TGPoint* from = DefinedPoint(circle, 1);
  const TGPoint* to = DefinedPoint(circle, 2);
  if (centre == nullptr || from == nullptr || to == nullptr) return;
  SetIfFinite(circle, centre->X, centre->Y, std::hypot(from->X - to->X, from->Y - to->Y));
}

void CircleThroughThreePoints(TGCircle& circle) {
  circle.Defined = false;
  const TGPoint* p0 = DefinedPoint(circle, 0);
  const TGPoint* p1 = DefinedPoint(circle, 1);
  const TGPoint* p2 = DefinedPoint(circle, 2);
  double cx = 0, cy = 0;
  if (p0 == nullptr || p1 == nullptr || p2 == nullptr ||
      !CentreThroughThree(*p0, *p1, *p2, cx, cy)) {
    return;
  }
  SetIfFinite(circle, cx, cy, std::hypot(p0->X - cx, p0->Y - cy));
}

}  // namespace recompute

void TGCircle::Recompute() {
  RecomputeByMethod(*this, kKind);
}

void TGCircle::Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) {
  if (!IsShown(context.showAll)) return;
  const zelmora::Color color = DrawColor(selected, blink);
  const bool wasTransparent = canvas.BackgroundTransparent();
  canvas.SetBackgroundTransparent(true);
  canvas.SetPen(color, Width, static_cast<zelmora::PenStyle>(PenStyle));
  canvas.SetFontColor(color);
  canvas.DrawEllipse(ToPixel(CX - R), ToPixel(CY - R), ToPixel(CX + R), ToPixel(CY + R));
  DrawLabel(canvas);
  canvas.SetBackgroundTransparent(wasTransparent);
}

// Distance to the circle line: a press well inside the circle does not take it.
double TGCircle::DistanceTo(double x, double y) const {
  return std::abs(std::hypot(CX - x, CY - y) - R);
}

// Resizes with the circle line under the mouse.
void TGCircle::DragPosition(int x, int y) {
  R = std::hypot(CX - x, CY - y);
}

void TGCircle::ShiftPosition(int x, int y) {
  CX += x - SavedX;
  CY += y - SavedY;
  SavedX = x;
  SavedY = y;
}

void TGCircle::ScaleAbout(int cx, int cy, double factor) {
  CX = cx + (CX - cx) * factor;
  CY = cy + (CY - cy) * factor;
  R = factor * R;
}

void TGCircle::TranslateSaved(int x, int y, const TransformFrame& frame) {
  CX = SavedX + x - frame.anchorX;
  CY = SavedY + y - frame.anchorY;
}

void TGCircle::RotateSaved(int x, int y, const TransformFrame& frame) {
  RotateAboutCenter(SavedX, SavedY, x, y, frame, CX, CY);
}

void TGCircle::ReflectInPoint(double x, double y) {
  CX = 2 * x - CX;
  CY = 2 * y - CY;
}

void TGCircle::ReflectInLine(double x1, double y1, double x2, double y2) {
  if (!Defined || (x1 == x2 && y1 == y2)) return;
  MirrorInLine(CX, CY, x1, y1, x2, y2);
}

void TGCircle::SavePosition() {
  SavedX = CX;
  SavedY = CY;
}

// The label sits LabelOffsetX outside the circle line, at the angle
// LabelOffsetY in degrees (from +x towards +y).
double TGCircle::LabelX() const {
  return std::cos(LabelOffsetY * kRadiansPerDegree) * (LabelOffsetX + R) + CX;
}
double TGCircle::LabelY() const {
  return std::sin(LabelOffsetY * kRadiansPerDegree) * (LabelOffsetX + R) + CY;
}

// The label follows the mouse around the circle; with label control on it may
// not stray 25 units or more from the circle line.
void TGCircle::MoveLabel(int x, int y, const LabelMoveContext& context) {
  const double angle = LabelOffsetY * kRadiansPerDegree;
  const double d = x + std::cos(angle) * (R + LabelOffsetX) - SavedX;
  const double l = y + std::sin(angle) * (R + LabelOffsetX) - SavedY;
  const double rho = std::hypot(d, l);
  if (context.labelControl && std::abs(rho - R) >= kLabelLimit) {
    if (context.cursor != nullptr) context.cursor->PutCursorAt(SavedX, SavedY);
    return;
  }
  ChangeLog::Restyling(*this);
  LabelOffsetY = rho != 0 ? std::acos(std::clamp(d / rho, -1.0, 1.0)) * kDegreesPerRadian : 0;
  LabelOffsetX = rho - R;
  if (l < 0) LabelOffsetY = -LabelOffsetY;
  SavedX = x;
  SavedY = y;
}

// The points that lie on this circle: children on it or cut from it, and the
// parent points it passes through.
void TGCircle::RebuildIncident() {
  RebuildIncidentByMethod(*this);
}

}  // namespace zelmora
