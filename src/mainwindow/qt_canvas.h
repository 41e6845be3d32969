#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPen>
#include <memory>

#include "geometry/canvas.h"

class QPainter;

namespace zelmora {

class PointGlyphTable;

// Object name labels: the face is the user's "Name Font" setting.
inline constexpr int kLabelFontPixelSize = 13;
QFont LabelFont(const QString& family);

// The off-screen picture of the drawing surface, painted by the objects.
// One painter stays open across the calls of a repaint; Image() closes it, so
// whoever copies the picture to the screen sees every stroke.
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
  // The picture grown by the pen's reach: what lies outside is never seen.
  QRectF VisibleArea() const;
  void DrawHugeEllipse(const QRectF& box);

  const PointGlyphTable* glyphs_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  QPen pen_;
  QColor fontColor_ = Qt::black;
  bool transparent_ = false;
  QFont font_;
  QFontMetrics metrics_;
};

}  // namespace zelmora
