#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "geometry/tg_object.h"

namespace zelmora {

// A straight line through two defining points; Bounded1/Bounded2 make it a
// ray or a segment. Methods 100 (free) to 111.
class TGLine : public TGObject {
 public:
  static constexpr int kKind = kLineKind;
  TGLine() {
    LabelOffsetX = -10;
    LabelOffsetY = 10;
  }
  int Kind() const override { return kKind; }

  void Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) override;
  double DistanceTo(double x, double y) const override;
  void Recompute() override;
  void DragPosition(int x, int y) override;
  void ShiftPosition(int x, int y) override;
  void ScaleAbout(int cx, int cy, double factor) override;
  void TranslateSaved(int x, int y, const TransformFrame& frame) override;
  void RotateSaved(int x, int y, const TransformFrame& frame) override;
  void ReflectInPoint(double x, double y) override;
  void ReflectInLine(double x1, double y1, double x2, double y2) override;
  void SavePosition() override;
  double LabelX() const override;
  double LabelY() const override;
  void MoveLabel(int x, int y, const LabelMoveContext& context) override;
  void RebuildIncident() override;

  // The drawn part for a main window of the given outer size.
  void UpdateScreenEnds(int windowWidth, int windowHeight);

  double X1 = 1, Y1 = 1, X2 = 1, Y2 = 2;
  double ScreenX1 = 0, ScreenY1 = 0, ScreenX2 = 0, ScreenY2 = 0;
  bool Bounded1 = false;
  bool Bounded2 = false;
  bool EndsOff = true;
  double SavedX2 = 0, SavedY2 = 0;

 private:
  bool ScreenEndsFor(int windowWidth, int windowHeight);
  // What the drawn ends were last worked out for, bit for bit: a repaint asks
  // for the ends of every line, and most lines have not moved since.
  struct EndsFor {
    std::array<std::uint64_t, 4> ends{};
    int width = 0, height = 0;
    bool bounded1 = false, bounded2 = false;
    bool operator==(const EndsFor&) const = default;
  };
  std::optional<EndsFor> endsFor_;
};

}  // namespace zelmora
