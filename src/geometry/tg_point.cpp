#include "geometry/tg_point.h"

#include "geometry/construction_method.h"

#include <algorithm>
#include <cmath>

#include "geometry/graph.h"
#include "geometry/pixel.h"
#include "geometry/plane_rules.h"
#include "geometry/tg_circle.h"
#include "geometry/tg_line.h"
#include "geometry/tg_value.h"

namespace zelmora {
namespace {

// Where a recomputation puts the point. An undefined result that carries the
// old position keeps the point where it was, so a point on a line or circle
// starts its next projection from there.
struct Placement {
  double x = 0, y = 0;
  bool defined = false;
};

Placement Keep(const TGPoint& p) {
  return {p.X, p.Y, false};
}

bool Usable(const TGObject* parent) {
  return parent != nullptr && parent->Defined;
}

// The end checks of a bounded line: true when (x, y) lies at or past an end
// that the line does not let points reach.
bool FailsEndChecks(const TGLine& l, double x, double y) {
  if (l.EndsOff) return false;
  if (l.Bounded1 && PastEnd(l.X1, l.Y1, l.X2, l.Y2, x, y)) return true;
  if (l.Bounded2 && PastEnd(l.X2, l.Y2, l.X1, l.Y1, x, y)) return true;
  return false;
}

Placement WithEndChecks(Placement p, const TGLine& l) {
  if (p.defined && FailsEndChecks(l, p.x, p.y)) p.defined = false;
  return p;
}

// The foot of the perpendicular from (x, y) on the line; undefined when the
// line's two defining points coincide.
Placement Foot(const TGLine& l, double x, double y) {
  const double dx = l.X2 - l.X1, dy = l.Y2 - l.Y1;
  if (dx == 0 && dy == 0) return {x, y, false};
  const double t = ((x - l.X1) * dx + (y - l.Y1) * dy) / (dx * dx + dy * dy);
  return {l.X1 + t * dx, l.Y1 + t * dy, true};
}

bool Near(const TGPoint& k, double x, double y, double tolerance) {
  return std::abs(k.X - x) < tolerance && std::abs(k.Y - y) < tolerance;
}

// The point both objects already pass through, if any; only points can be it.
const TGPoint* CommonPoint(const TGObject& a, const TGObject& b) {
  const TGObject* k = FindCommonPoint(a, b);
  if (k == nullptr || k->Kind() != kPointKind) return nullptr;
  return static_cast<const TGPoint*>(k);
}

Placement OnLine(const TGPoint& self) {
  const TGLine* l = self.ParentAs<TGLine>(0);
  if (!Usable(l)) return Keep(self);
  Placement p = Foot(*l, self.X, self.Y);
  // A slider is held inside a segment instead of vanishing past its ends.
  // An undefined slider keeps its stored place untouched.
  if (!p.defined || l->EndsOff) return p;
  if (l->Bounded1 && PastEnd(l->X1, l->Y1, l->X2, l->Y2, p.x, p.y)) p = {l->X1, l->Y1, true};
  if (l->Bounded2 && PastEnd(l->X2, l->Y2, l->X1, l->Y1, p.x, p.y)) p = {l->X2, l->Y2, true};
  return p;
}

Placement OnCircle(const TGPoint& self) {
  const TGCircle* c = self.ParentAs<TGCircle>(0);
  if (!Usable(c)) return Keep(self);
  const double vx = self.X - c->CX, vy = self.Y - c->CY;
  if (vx == 0 && vy == 0) return {c->CX, c->CY + c->R, true};
  const double length = std::hypot(vx, vy);
  return {c->CX + vx * c->R / length, c->CY + vy * c->R / length, true};
}

Placement AtLinesCrossing(const TGPoint& self) {
  const TGLine* l1 = self.ParentAs<TGLine>(0);
  const TGLine* l2 = self.ParentAs<TGLine>(1);
  if (!Usable(l1) || !Usable(l2)) return Keep(self);
  Placement p{0, 0, true};
  if (!LineCrossing(*l1, *l2, p.x, p.y)) return Keep(self);
  return WithEndChecks(WithEndChecks(p, *l1), *l2);
}

// Method 4 (first) or 5 (second) of a line and a circle, without the copy of
// the common point that method 4 makes. Roots are relative to the centre.
Placement LineCircleRoot(const TGPoint& self, const TGLine& l, const TGCircle& c, bool first,
                         const TGPoint* k) {
  const double ax = l.X1 - c.CX, ay = l.Y1 - c.CY;
  const double dx = l.X2 - l.X1, dy = l.Y2 - l.Y1;
  const double r = c.R;
  double x, y;
  if (dx != 0) {
    const double slope = dy / dx;
    const double b = (dx * ay - ax * dy) / dx;
    const double disc = slope * slope * r * r + r * r - b * b;
    if (disc < 0) return Keep(self);
    const double mx = -slope * b / (slope * slope + 1), my = slope * mx + b;
    const double plusX = (-slope * b + std::sqrt(disc)) / (slope * slope + 1);
    const double minusX = (-slope * b - std::sqrt(disc)) / (slope * slope + 1);
    const double plusY = slope * plusX + b;
    const double lambdaX = (mx - plusX) * dx, lambdaY = (my - plusY) * dy;
    bool takeMinus;
    if (first) {
      takeMinus = (lambdaX >= 0 && lambdaY > 0) || (lambdaX > 0 && lambdaY >= 0);
    } else if (k == nullptr) {
      takeMinus = (lambdaX <= 0 && lambdaY < 0) || (lambdaX < 0 && lambdaY <= 0);
    } else {
      takeMinus = Near(*k, plusX + c.CX, plusY + c.CY, 0.1);
    }
    x = takeMinus ? minusX : plusX;
    y = slope * x + b;
  } else {
    // Vertical, or both defining points equal: then the vertical through them.
    if (std::abs(ax) > std::abs(r)) return Keep(self);
    x = ax;
    const double h = std::sqrt(r * r - ax * ax);
    bool takeMinus;
    if (first) {
      takeMinus = -h * dy >= 0;
    } else if (k == nullptr) {
      takeMinus = -h * dy < 0;
    } else {
      takeMinus = Near(*k, ax + c.CX, h + c.CY, 0.1);
    }
    y = takeMinus ? -h : h;
  }
  return {x + c.CX, y + c.CY, true};
}

Placement LineCircle(const TGPoint& self, bool first) {
  const TGLine* l = self.ParentAs<TGLine>(0);
  const TGCircle* c = self.ParentAs<TGCircle>(1);
  if (!Usable(l) || !Usable(c)) return Keep(self);
  const TGPoint* k = CommonPoint(*l, *c);
  if (first && k != nullptr) return WithEndChecks({k->X, k->Y, k->Defined}, *l);
  return WithEndChecks(LineCircleRoot(self, *l, *c, first, k), *l);
}

// Method 6 (first) or 7 (second) of two circles. The side of a root is
// positive to the right of the direction from the first centre to the second.
Placement CirclesCrossing(const TGPoint& self, bool first) {
  const TGCircle* c1 = self.ParentAs<TGCircle>(0);
  const TGCircle* c2 = self.ParentAs<TGCircle>(1);
  if (!Usable(c1) || !Usable(c2)) return Keep(self);
  const TGPoint* k = CommonPoint(*c1, *c2);
  if (first && k != nullptr) return {k->X, k->Y, k->Defined};
  const double dx = c2->CX - c1->CX, dy = c2->CY - c1->CY;
  const double r1 = c1->R, r2 = c2->R;
  auto side = [&](double qx, double qy) { return dx * qy - dy * qx; };
  double x, y;
  if (dy != 0) {
    const double slope = -dx / dy;
    const double c = (r1 * r1 - r2 * r2 + dx * dx + dy * dy) / 2 / dy;
    const double disc = r1 * r1 + r1 * r1 * slope * slope - c * c;
    if (disc < 0) return Keep(self);
    const double plusX = (-slope * c + std::sqrt(disc)) / (slope * slope + 1);
    const double minusX = (-slope * c - std::sqrt(disc)) / (slope * slope + 1);
    const double plusY = c + slope * plusX;
    bool takeMinus;
    if (first) {
      takeMinus = side(plusX, plusY) < 0;
    } else if (k == nullptr) {
      takeMinus = side(plusX, plusY) >= 0;
    } else {
      takeMinus = Near(*k, plusX + c1->CX, plusY + c1->CY, 0.1);
    }
    x = takeMinus ? minusX : plusX;
    y = c + slope * x;
  } else if (dx != 0) {
    x = (r1 * r1 + dx * dx - r2 * r2) / 2 / dx;
    if (std::abs(x) > std::abs(r1)) return Keep(self);
    const double h = std::sqrt(r1 * r1 - x * x);
    bool takeMinus;
    if (first) {
      takeMinus = side(x, h) < 0;
    } else if (k == nullptr) {
      takeMinus = side(x, h) >= 0;
    } else {
      // Circles side by side compare with a coarser tolerance than the rest.
      takeMinus = Near(*k, x + c1->CX, h + c1->CY, 2);
    }
    y = takeMinus ? -h : h;
  } else {
    return Keep(self);  // concentric
  }
  return {x + c1->CX, y + c1->CY, true};
}

Placement ProjectionOnLine(const TGPoint& self) {
  const TGPoint* q = self.ParentAs<TGPoint>(0);
  const TGLine* l = self.ParentAs<TGLine>(1);
  if (!Usable(q) || !Usable(l)) return Keep(self);
  const Placement p = Foot(*l, q->X, q->Y);
  if (!p.defined) return Keep(self);
  return WithEndChecks(p, *l);
}

Placement MiddleOfTwo(const TGPoint& self) {
  const TGPoint* q0 = self.ParentAs<TGPoint>(0);
  const TGPoint* q1 = self.ParentAs<TGPoint>(1);
  if (!Usable(q0) || !Usable(q1)) return Keep(self);
  return {(q1->X + q0->X) * 0.5, (q1->Y + q0->Y) * 0.5, true};
}

Placement AtDistance(const TGPoint& self) {
  const TGPoint* origin = self.ParentAs<TGPoint>(0);
  const TGPoint* toward = self.ParentAs<TGPoint>(1);
  const TGLength* length = self.ParentAs<TGLength>(2);
  if (!Usable(origin) || !Usable(toward) || length == nullptr) return Keep(self);
  const double mx = toward->X - origin->X, my = toward->Y - origin->Y;
  if (mx == 0 && my == 0) return Keep(self);
  const double m = std::hypot(mx, my);
  return {origin->X + mx / m * length->Value, origin->Y + length->Value * (my / m), true};
}

Placement Centre(const TGPoint& self) {
  const TGCircle* c = self.ParentAs<TGCircle>(0);
  if (!Usable(c)) return Keep(self);
  return {c->CX, c->CY, true};
}

void Place(TGPoint& point, const Placement& p) {
  point.X = p.x;
  point.Y = p.y;
  point.Defined = p.defined;
}

}  // namespace

namespace recompute {
void PointOnLine(TGPoint& point) {
  Place(point, OnLine(point));
}
void PointOnCircle(TGPoint& point) {
  Place(point, OnCircle(point));
}
void LinesCrossing(TGPoint& point) {
  Place(point, AtLinesCrossing(point));
}
void LineCircleFirst(TGPoint& point) {
  Place(point, LineCircle(point, true));
}
void LineCircleSecond(TGPoint& point) {
  Place(point, LineCircle(point, false));
}
void CirclesFirst(TGPoint& point) {
  Place(point, CirclesCrossing(point, true));
}
void CirclesSecond(TGPoint& point) {
  Place(point, CirclesCrossing(point, false));
}
void Projection(TGPoint& point) {
  Place(point, ProjectionOnLine(point));
}
void Midpoint(TGPoint& point) {
  Place(point, MiddleOfTwo(point));
}
void PointAtDistance(TGPoint& point) {
  Place(point, AtDistance(point));
}
void CircleCentre(TGPoint& point) {
  Place(point, Centre(point));
}
}  // namespace recompute

void TGPoint::Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) {
  if (!IsShown(context.showAll)) return;
  const bool wasTransparent = canvas.BackgroundTransparent();
  canvas.SetFontColor(DrawColor(selected, blink));
  canvas.SetBackgroundTransparent(true);
  int colorIndex = PaletteIndex(Color);
  // Colours always come from the palette in the program; one from elsewhere
  // has no glyph of its own, and black keeps such a point visible on white.
  if (colorIndex < 0) colorIndex = 0;
  if (blink) {
    colorIndex = kBackgroundColorIndex;
  } else if (selected) {
    colorIndex = kSelectedColorIndex;
  }
  // The glyph table holds sizes 1..7 only; a width from elsewhere is held to
  // the nearest size, and the glyph stays centred on the point.
  const int size = std::clamp(Width, 1, 7);
  canvas.DrawPointGlyph(ToPixel(X - size - 1), ToPixel(Y - size - 1), size, colorIndex);
  DrawLabel(canvas);
  canvas.SetBackgroundTransparent(wasTransparent);
}

double TGPoint::DistanceTo(double x, double y) const {
  return std::hypot(X - x, Y - y);
}

void TGPoint::Recompute() {
  RecomputeByMethod(*this, kKind);
}

void TGPoint::DragPosition(int x, int y) {
  X = x;
  Y = y;
}

void TGPoint::ShiftPosition(int x, int y) {
  DragPosition(x, y);
}

void TGPoint::ScaleAbout(int cx, int cy, double factor) {
  X = cx + (X - cx) * factor;
  Y = cy + (Y - cy) * factor;
}

void TGPoint::TranslateSaved(int x, int y, const TransformFrame& frame) {
  X = SavedX + x - frame.anchorX;
  Y = SavedY + y - frame.anchorY;
}

void TGPoint::RotateSaved(int x, int y, const TransformFrame& frame) {
  RotateAboutCenter(SavedX, SavedY, x, y, frame, X, Y);
}

void TGPoint::ReflectInPoint(double x, double y) {
  X = 2 * x - X;
  Y = 2 * y - Y;
}

void TGPoint::ReflectInLine(double x1, double y1, double x2, double y2) {
  if (!Defined || (x1 == x2 && y1 == y2)) return;
  MirrorInLine(X, Y, x1, y1, x2, y2);
}

void TGPoint::SavePosition() {
  SavedX = X;
  SavedY = Y;
}

double TGPoint::LabelX() const {
  return X + LabelOffsetX;
}
double TGPoint::LabelY() const {
  return Y + LabelOffsetY;
}

void TGPoint::MoveLabel(int x, int y, const LabelMoveContext& context) {
  MoveLabelOffset(*this, x, y, context);
}

void TGPoint::RebuildIncident() {
  RebuildIncidentByMethod(*this);
}

}  // namespace zelmora
