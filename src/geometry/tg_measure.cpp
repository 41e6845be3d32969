#include "geometry/tg_measure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "geometry/pixel.h"
#include "geometry/plane_rules.h"
#include "geometry/tg_circle.h"
#include "geometry/tg_line.h"
#include "geometry/tg_point.h"

namespace zelmora {
namespace {

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

const TGPoint& PointAt(const TGMeasure& m, std::size_t i) {
  return static_cast<const TGPoint&>(*m.Parents[i]);
}
const TGLine& LineAt(const TGMeasure& m, std::size_t i) {
  return static_cast<const TGLine&>(*m.Parents[i]);
}

// The angle between two directions, 0..180 degrees; none for a zero one.
bool AngleBetween(double ux, double uy, double vx, double vy, double& degrees) {
  if ((ux == 0 && uy == 0) || (vx == 0 && vy == 0)) return false;
  degrees = std::atan2(std::abs(ux * vy - uy * vx), ux * vx + uy * vy) * kDegreesPerRadian;
  return true;
}

bool Measure(const TGMeasure& m, double& value) {
  switch (static_cast<Measurement>(m.Method)) {
    case Measurement::Distance:
      value = std::hypot(PointAt(m, 0).X - PointAt(m, 1).X, PointAt(m, 0).Y - PointAt(m, 1).Y);
      return true;
    case Measurement::Length: {
      const TGLine& l = LineAt(m, 0);
      value = std::hypot(l.X2 - l.X1, l.Y2 - l.Y1);
      return true;
    }
    case Measurement::Radius:
      value = static_cast<const TGCircle&>(*m.Parents[0]).R;
      return true;
    case Measurement::Angle: {
      const TGPoint &a = PointAt(m, 0), &b = PointAt(m, 1), &c = PointAt(m, 2);
      return AngleBetween(a.X - b.X, a.Y - b.Y, c.X - b.X, c.Y - b.Y, value);
    }
    case Measurement::LinesAngle: {
      const TGLine &l = LineAt(m, 0), &k = LineAt(m, 1);
      if (!AngleBetween(l.X2 - l.X1, l.Y2 - l.Y1, k.X2 - k.X1, k.Y2 - k.Y1, value)) return false;
      value = std::min(value, 180 - value);
      return true;
    }
  }
  return false;
}

std::string NameOf(const TGObject* o) {
  return o == nullptr ? std::string() : o->Name;
}

// A segment built on two points is called by them, as on paper.
std::string SegmentName(const TGObject& segment) {
  if (segment.Parents.size() == 2 && segment.Parents[0]->Kind() == kPointKind &&
      segment.Parents[1]->Kind() == kPointKind) {
    return segment.Parents[0]->Name + segment.Parents[1]->Name;
  }
  return segment.Name;
}

std::string Subject(const TGMeasure& m) {
  auto name = [&m](std::size_t i) { return NameOf(m.Parents[i]); };
  switch (static_cast<Measurement>(m.Method)) {
    case Measurement::Distance:
      return name(0) + name(1);
    case Measurement::Length:
      return SegmentName(*m.Parents[0]);
    case Measurement::Radius:
      return "r(" + name(0) + ")";
    case Measurement::Angle:
      return "∠" + name(0) + name(1) + name(2);
    case Measurement::LinesAngle:
      return "∠(" + name(0) + ", " + name(1) + ")";
  }
  return m.Name;
}

// Where the caption hangs before its offset: beside what is measured.
void Anchor(const TGMeasure& m, double& x, double& y) {
  x = y = 0;
  if (m.Parents.size() != FindMeasurement(m.Method)->parents.size()) return;
  switch (static_cast<Measurement>(m.Method)) {
    case Measurement::Distance:
      x = (PointAt(m, 0).X + PointAt(m, 1).X) / 2, y = (PointAt(m, 0).Y + PointAt(m, 1).Y) / 2;
      return;
    case Measurement::Length:
      x = (LineAt(m, 0).X1 + LineAt(m, 0).X2) / 2, y = (LineAt(m, 0).Y1 + LineAt(m, 0).Y2) / 2;
      return;
    case Measurement::Radius: {
      const auto& c = static_cast<const TGCircle&>(*m.Parents[0]);
      x = c.CX, y = c.CY;
      return;
    }
    case Measurement::Angle:
      x = PointAt(m, 1).X, y = PointAt(m, 1).Y;
      return;
    case Measurement::LinesAngle:
      if (!LineCrossing(LineAt(m, 0), LineAt(m, 1), x, y)) {
        x = (LineAt(m, 0).X1 + LineAt(m, 0).X2) / 2, y = (LineAt(m, 0).Y1 + LineAt(m, 0).Y2) / 2;
      }
      return;
  }
}

}  // namespace

const MeasurementInfo* FindMeasurement(MethodCode code) {
  for (const MeasurementInfo& info : kMeasurements) {
    if (CodeOf(info.what) == code) return &info;
  }
  return nullptr;
}

bool FitsMeasurement(MethodCode code, std::size_t slot, const TGObject& object) {
  const MeasurementInfo* info = FindMeasurement(code);
  if (info == nullptr || slot >= info->parents.size()) return false;
  constexpr std::string_view kLetters = " PLC";  // each at its kind code
  if (object.Kind() != static_cast<int>(kLetters.find(info->parents[slot]))) return false;
  if (info->what != Measurement::Length) return true;
  const auto& line = static_cast<const TGLine&>(object);
  return line.Bounded1 && line.Bounded2;
}

void TGMeasure::Recompute() {
  const MeasurementInfo* info = FindMeasurement(Method);
  bool usable = info != nullptr && Parents.size() == info->parents.size();
  for (std::size_t i = 0; usable && i < Parents.size(); ++i) {
    usable =
        Parents[i] != nullptr && Parents[i]->Defined && FitsMeasurement(Method, i, *Parents[i]);
  }
  Defined = usable;
  if (!usable) return;
  double value = 0;
  HasValue = Measure(*this, value) && std::isfinite(value);
  if (HasValue) Value = value;
}

void TGMeasure::ScaleAbout(int, int, double factor) {
  Scale *= factor;
  if (!IsAngle()) Value *= factor;
}

bool TGMeasure::IsAngle() const {
  const MeasurementInfo* info = FindMeasurement(Method);
  return info != nullptr && info->degrees;
}

double TGMeasure::ShownValue(double pixelsPerCentimetre) const {
  if (IsAngle() || !Centimetres) return Value;
  return Value / (Scale * pixelsPerCentimetre);
}

std::string TGMeasure::Caption(double pixelsPerCentimetre) const {
  std::string text = Subject(*this) + " = ";
  if (!HasValue) return text + "—";
  text += FormatDecimal(ShownValue(pixelsPerCentimetre), Decimals);
  return IsAngle() ? text + "°" : text;
}

void TGMeasure::Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) {
  if (!IsShown(context.showAll) || FindMeasurement(Method) == nullptr) return;
  const std::string text = Caption(context.pixelsPerCentimetre);
  const TextSize size = canvas.MeasureText(text);
  boxWidth_ = size.width;
  boxHeight_ = size.height;
  const bool wasTransparent = canvas.BackgroundTransparent();
  canvas.SetBackgroundTransparent(true);
  canvas.SetFontColor(DrawColor(selected, blink));
  canvas.DrawText(ToPixel(LabelX()), ToPixel(LabelY()), text);
  canvas.SetBackgroundTransparent(wasTransparent);
}

// Measured from the caption's box as last drawn: zero inside it.
double TGMeasure::DistanceTo(double x, double y) const {
  const double dx = std::max({LabelX() - x, 0.0, x - (LabelX() + boxWidth_)});
  const double dy = std::max({LabelY() - y, 0.0, y - (LabelY() + boxHeight_)});
  return std::hypot(dx, dy);
}

// A drag carries the caption along; what is measured stays.
void TGMeasure::DragPosition(int x, int y) {
  LabelOffsetX += x - SavedX;
  LabelOffsetY += y - SavedY;
  SavedX = x;
  SavedY = y;
}

double TGMeasure::LabelX() const {
  double x = 0, y = 0;
  if (FindMeasurement(Method) != nullptr) Anchor(*this, x, y);
  return x + LabelOffsetX;
}

double TGMeasure::LabelY() const {
  double x = 0, y = 0;
  if (FindMeasurement(Method) != nullptr) Anchor(*this, x, y);
  return y + LabelOffsetY;
}

std::string FormatDecimal(double value, int decimals) {
  decimals = std::clamp(decimals, 0, 3);
  if (!std::isfinite(value)) return "?";
  char buffer[400];  // the longest double in fixed notation, with room to spare
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') text.erase(0, 1);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

}  // namespace zelmora
