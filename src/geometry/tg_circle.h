#pragma once

#include "geometry/tg_object.h"

namespace zelmora {

// A circle: free (200), by centre and point (201), by centre and radius (202),
// through three points (203). Its label is placed in polar form: the gap
// outside the circle line and an angle in degrees.
class TGCircle : public TGObject {
 public:
  static constexpr int kKind = kCircleKind;
  TGCircle() {
    LabelOffsetX = 10;
    LabelOffsetY = -45;
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

  double CX = -10, CY = -20, R = 1;
};

}  // namespace zelmora
