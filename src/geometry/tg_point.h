#pragma once

#include "geometry/tg_object.h"

namespace zelmora {

// A point: free (0), on a line (1) or circle (2), an intersection (3..7), a
// projection (8), a midpoint (9), at a distance (10) or a circle's centre (11).
class TGPoint : public TGObject {
 public:
  static constexpr int kKind = kPointKind;
  TGPoint() {
    LabelOffsetX = 10;
    LabelOffsetY = -10;
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

  double X = -10, Y = -10;
};

}  // namespace zelmora
