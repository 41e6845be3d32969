#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "geometry/canvas.h"
#include "render/point_glyph_table.h"

namespace zelmora {

// A pen as the pictures that stay sharp write it.
struct Stroke {
  QColor colour = Qt::black;
  int width = 1;
  std::vector<int> dashes;  // ink, gap, ink... in pixels; empty for solid
  bool operator==(const Stroke&) const = default;
};

// The objects painted as shapes rather than pixels, for SVG, PDF, TikZ and
// the printer. This class decides what is written: it drops what lies wholly
// outside `area` (the part of the drawing that ends up in the picture), cuts
// lines to it, and turns point glyphs into discs; a writer derives from it
// and says how each shape is written.
//
// Shapes come in surface pixels with each pixel's centre on whole numbers,
// so a one-pixel line lies on the very pixels the screen paints; a writer
// places the pixel (x, y) at x + 0.5, y + 0.5 of its page.
class ShapeCanvas : public Canvas {
 public:
  // `glyphs` may be null (then points draw nothing); it must outlive the canvas.
  ShapeCanvas(const PointGlyphTable* glyphs, const QFont& labelFont, const QRect& area);

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

 protected:
  const Stroke& Pen() const { return pen_; }
  const QFont& LabelFont() const { return labelFont_; }
  // The font of the text being drawn: the label font, or a text object's size.
  const QFont& TextFont() const { return font_; }
  // The picture's part of the surface in shape coordinates, pixel edges.
  QRectF Visible() const;

  // The pen changed; the next shapes use Pen().
  virtual void PenChanged() {}
  // The text size changed; the next texts use TextFont().
  virtual void FontChanged() {}
  // A stroke in the pen; both ends equal make a dot.
  virtual void AddLine(const QLineF& line) = 0;
  // Outlines in the pen.
  virtual void AddEllipse(const QRectF& box) = 0;
  virtual void AddRect(const QRectF& box) = 0;
  // Filled areas without outline.
  virtual void AddFill(const QRectF& box, const QColor& colour) = 0;
  virtual void AddDisc(const QRectF& box, const QColor& colour) = 0;
  // A label in the label font, its baseline starting at `origin`.
  virtual void AddText(const QPointF& origin, const QString& text, const QColor& colour) = 0;

 private:
  // The visible part grown by the pen's reach.
  QRectF Reach() const;
  const std::optional<GlyphDisc>& DiscOf(int width, int paletteIndex);

  const PointGlyphTable* glyphs_;
  QFont labelFont_;
  QFont font_;
  QFontMetrics metrics_;
  QRect area_;
  Stroke pen_;
  QColor fontColor_ = Qt::black;
  bool transparent_ = false;
  // Finding a glyph's disc reads its pixels: once per glyph and picture.
  std::array<std::optional<std::optional<GlyphDisc>>, kPointGlyphWidths * kPaletteSize> discs_;
};

}  // namespace zelmora
