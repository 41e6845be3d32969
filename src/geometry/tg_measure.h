#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/tg_object.h"

namespace zelmora {

// What a measurement measures; the codes are what documents store in Method.
enum class Measurement : std::int32_t {
  Distance = 400,    // two points
  Length = 401,      // a segment
  Radius = 402,      // a circle
  Angle = 403,       // three points, at the middle one, 0..180 degrees
  LinesAngle = 404,  // two lines, 0..90 degrees
};

struct MeasurementInfo {
  Measurement what;
  // One letter per parent, as in the construction table: P point, L line, C circle.
  std::string_view parents;
  bool degrees;  // an angle; otherwise a length in plane units
};

inline constexpr MeasurementInfo kMeasurements[] = {
    {Measurement::Distance, "PP", false},  {Measurement::Length, "L", false},
    {Measurement::Radius, "C", false},     {Measurement::Angle, "PPP", true},
    {Measurement::LinesAngle, "LL", true},
};

constexpr MethodCode CodeOf(Measurement what) {
  return MethodCode{static_cast<std::int32_t>(what)};
}

// nullptr for a code no measurement uses.
const MeasurementInfo* FindMeasurement(MethodCode code);
// The same as a question, for compile-time checks (which cannot compare a
// pointer with null under the undefined-behaviour sanitizer).
constexpr bool IsMeasurementCode(MethodCode code) {
  for (const MeasurementInfo& info : kMeasurements) {
    if (CodeOf(info.what) == code) return true;
  }
  return false;
}
// Whether `object` can be parent `slot` of a measurement `code`: the kind,
// and for a length a line bounded at both ends.
bool FitsMeasurement(MethodCode code, std::size_t slot, const TGObject& object);

// The value of two points' distance, a segment's length, a circle's radius or
// an angle, recomputed with the update walk. Undefined (and not drawn) while
// any of its objects is; an angle at a point that coincides with another has
// no value and shows a dash.
class TGMeasure : public TGObject {
 public:
  static constexpr int kKind = kMeasureKind;
  TGMeasure() {
    LabelOffsetX = 8;
    LabelOffsetY = 4;
  }
  int Kind() const override { return kKind; }

  void Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) override;
  double DistanceTo(double x, double y) const override;
  void Recompute() override;
  void DragPosition(int x, int y) override;
  void ShiftPosition(int x, int y) override { DragPosition(x, y); }
  // Zoom rewrites the plane, and lengths in plane units with it; the scale
  // remembers by how much, so centimetres stay what they were on paper.
  void ScaleAbout(int cx, int cy, double factor) override;
  double LabelX() const override;
  double LabelY() const override;

  bool IsAngle() const;
  // The value as shown: degrees, centimetres or plane units.
  double ShownValue(double pixelsPerCentimetre) const;
  // "AB = 5,03", "∠ABC = 47,2°", "∠ABC = —".
  std::string Caption(double pixelsPerCentimetre) const;

  double Value = 0;       // plane units or degrees, unrounded
  bool HasValue = false;  // false for a degenerate angle
  int Decimals = 2;       // 0..3
  bool Centimetres = true;
  double Scale = 1;  // plane units per unit of the unzoomed drawing

 private:
  int boxWidth_ = 0, boxHeight_ = 0;  // of the caption last drawn
};

// `value` with a decimal comma and `decimals` (0..3) places; no minus zero.
std::string FormatDecimal(double value, int decimals);

}  // namespace zelmora
