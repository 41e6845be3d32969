#pragma once

#include <string>

#include "geometry/tg_point.h"

namespace zelmora {

// Free text on the plane: one or more lines, top-left corner at (X, Y), moved
// like a point. Fields in braces show measurements' live values; `Shown`
// holds the text with them filled in, refreshed before every paint.
class TGText : public TGPoint {
 public:
  static constexpr int kKind = kTextKind;
  static constexpr MethodCode kMethodCode{500};
  static constexpr int kDefaultFontSize = 16;
  TGText() { Method = kMethodCode; }
  int Kind() const override { return kKind; }

  void Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) override;
  double DistanceTo(double x, double y) const override;
  void Recompute() override {}
  // A drag carries the text by where it was taken, not by its corner.
  void DragPosition(int x, int y) override;
  void ShiftPosition(int x, int y) override { DragPosition(x, y); }
  void RebuildIncident() override { Incident.clear(); }

  std::string Text;                 // as typed, lines separated by '\n'
  std::string Shown;                // with its fields filled in
  int FontSize = kDefaultFontSize;  // pixels

 private:
  int boxWidth_ = 0, boxHeight_ = 0;
};

}  // namespace zelmora
