#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QRectF>

#include "geometry/canvas.h"

class QPainter;

namespace zelmora {

class PointGlyphTable;

// The objects painted as shapes rather than pixels, for pictures that stay
// sharp at any size: SVG, PDF and the printer. The painter's transform and
// clip are the caller's; `area` is the part of the drawing that ends up in
// the picture, so that nothing wholly outside it is written at all.
class VectorCanvas : public Canvas {
 public:
  // `glyphs` may be null (then points draw nothing); it must outlive the canvas.
  VectorCanvas(QPainter& painter, const PointGlyphTable* glyphs, const QFont& labelFont,
               const QRectF& area);

  void SetPen(Color color, int width, PenStyle style) override;
  void SetFontColor(Color color) override;
  bool BackgroundTransparent() const override { return transparent_; }
  void SetBackgroundTransparent(bool transparent) override { transparent_ = transparent; }
  void FillRect(int left, int top, int right, int bottom, Color color) override;
  void DrawRect(int left, int top, int right, int bottom) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void DrawEllipse(int left, int top, int right, int bottom) override;
  void DrawText(int x, int y, std::string_view text) override;
  TextSize MeasureText(std::string_view text) override;
  void SetTextSize(int pixels) override;
  void DrawPointGlyph(int left, int top, int width, int paletteIndex) override;

 private:
  // The area grown by the pen's reach.
  QRectF Reach() const;

  QPainter& painter_;
  const PointGlyphTable* glyphs_;
  QFont labelFont_;
  QFont font_;
  QFontMetrics metrics_;
  QRectF area_;
  QPen pen_;
  QColor fontColor_ = Qt::black;
  bool transparent_ = false;
};

}  // namespace zelmora
