#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPen>
#include <memory>
#include <vector>

#include "geometry/canvas.h"
#include "render/label_pictures.h"
#include "render/thin_pen.h"

class QPainter;

namespace zelmora {

class PointGlyphTable;

// Object name labels: the face is the user's "Name Font" setting.
inline constexpr int kLabelFontPixelSize = 13;
QFont LabelFont(const QString& family);

// The patterns of one-pixel pens, in pixels: ink, gap, ink, gap... Empty for solid.
std::vector<int> DashLengths(PenStyle style);
// Liang-Barsky: the part of the segment inside `area`; false when none is.
bool ClipSegment(const QRectF& area, QLineF& line);

// The off-screen picture of the drawing surface, painted by the objects.
// One-pixel pens are drawn straight into the picture's memory; wider pens go
// through a painter that stays open across the calls of a repaint. Image()
// closes it, so whoever copies the picture to the screen sees every stroke.
class QImageCanvas : public Canvas {
 public:
  // `glyphs` may be null (then points draw nothing); it must outlive the canvas.
  explicit QImageCanvas(const PointGlyphTable* glyphs, const QFont& labelFont = LabelFont({}));
  ~QImageCanvas() override;

  // A new white picture of `size`.
  void Resize(QSize size);
  void SetLabelFont(const QFont& font);
  const QImage& Image();

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
  void DrawPointGlyph(int left, int top, int width, int paletteIndex) override;

 private:
  QPainter& Painter();
  void EndPainting();
  bool Thin() const { return pen_.width() == 1; }
  // The picture grown by the pen's reach: what lies outside is never seen.
  QRectF VisibleArea() const;
  // The corners in order, then back to the first when `closed`.
  void Stroke(const std::vector<QPointF>& corners, bool closed);
  std::vector<QPointF> VisibleArc(const QRectF& box) const;

  const PointGlyphTable* glyphs_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  QPen pen_;
  PixelPattern pattern_;
  QRgb fontColor_ = qRgb(0, 0, 0);
  bool transparent_ = false;
  std::unique_ptr<LabelPictures> labels_;
};

}  // namespace zelmora
