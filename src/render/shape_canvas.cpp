#include "render/shape_canvas.h"

#include <algorithm>

#include "render/qt_canvas.h"
#include "render/qt_color.h"

namespace zelmora {
namespace {

constexpr int kMaxPenWidth = 255;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A box of whole pixels from `left`, `top` to `right`, `bottom` (both
// included) in shape coordinates, whose pixel centres are whole numbers.
QRectF PixelBox(int left, int top, int right, int bottom) {
  return QRectF(QPointF(std::min(left, right) - 0.5, std::min(top, bottom) - 0.5),
                QPointF(std::max(left, right) + 0.5, std::max(top, bottom) + 0.5));
}

}  // namespace

ShapeCanvas::ShapeCanvas(const PointGlyphTable* glyphs, const QFont& labelFont, const QRect& area)
    : glyphs_(glyphs), labelFont_(labelFont), metrics_(labelFont), area_(area) {
  // Letters are smoothed when a viewer or printer draws them.
  labelFont_.setStyleStrategy(QFont::PreferDefault);
  font_ = labelFont_;
}

QRectF ShapeCanvas::Visible() const {
  return QRectF(area_).translated(-0.5, -0.5);
}

QRectF ShapeCanvas::Reach() const {
  const double reach = pen_.width + 2;
  return Visible().adjusted(-reach, -reach, reach, reach);
}

void ShapeCanvas::SetPen(Color color, int width, PenStyle style) {
  Stroke pen;
  pen.colour = ToQColor(color);
  pen.width = std::clamp(width, 1, kMaxPenWidth);
  // The same patterns as on the screen, and as there only for one-pixel pens.
  if (pen.width == 1) pen.dashes = DashLengths(style);
  if (pen == pen_) return;
  pen_ = std::move(pen);
  PenChanged();
}

void ShapeCanvas::SetFontColor(Color color) {
  fontColor_ = ToQColor(color);
}

void ShapeCanvas::FillRect(int left, int top, int right, int bottom, Color color) {
  const QRectF box = PixelBox(left, top, right, bottom) & Visible();
  if (!box.isEmpty()) AddFill(box, ToQColor(color));
}

void ShapeCanvas::DrawRect(int left, int top, int right, int bottom) {
  // The outline runs through the outermost pixels, right and bottom left out.
  const QRectF box(QPointF(std::min(left, right), std::min(top, bottom)),
                   QPointF(std::max(left, right) - 1, std::max(top, bottom) - 1));
  if (Reach().intersects(box.adjusted(-1, -1, 1, 1))) AddRect(box);
}

void ShapeCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  // A full line's ends lie far outside; only the visible piece is written.
  QLineF line(x1, y1, x2, y2);
  if (ClipSegment(Reach(), line)) AddLine(line);
}

void ShapeCanvas::DrawEllipse(int left, int top, int right, int bottom) {
  const QRectF box = QRectF(QPointF(left, top), QPointF(right - 1, bottom - 1)).normalized();
  const QRectF reach = Reach();
  if (!reach.intersects(box.adjusted(-1, -1, 1, 1))) return;
  // A circle that holds the whole picture inside shows nothing of itself.
  const QPointF c = box.center();
  const double r = std::min(box.width(), box.height()) / 2;
  double farthest = 0;
  for (const QPointF& corner :
       {reach.topLeft(), reach.topRight(), reach.bottomLeft(), reach.bottomRight()}) {
    farthest = std::max(farthest, QLineF(c, corner).length());
  }
  if (farthest < r && box.width() == box.height()) return;
  AddEllipse(box);
}

void ShapeCanvas::DrawText(int x, int y, std::string_view text) {
  if (text.empty()) return;
  const QString s = FromUtf8(text);
  const QRectF box =
      QRectF(x, y, metrics_.horizontalAdvance(s), metrics_.height()).translated(-0.5, -0.5);
  if (!Reach().intersects(box.adjusted(-2, -2, 2, 2))) return;
  if (!transparent_) AddFill(box, Qt::white);
  AddText(QPointF(box.left(), box.top() + metrics_.ascent()), s, fontColor_);
}

TextSize ShapeCanvas::MeasureText(std::string_view text) {
  return {metrics_.horizontalAdvance(FromUtf8(text)), metrics_.height()};
}

void ShapeCanvas::SetTextSize(int pixels) {
  QFont font = labelFont_;
  if (pixels > 0) font.setPixelSize(pixels);
  if (font == font_) return;
  font_ = font;
  metrics_ = QFontMetrics(font_);
  FontChanged();
}

const std::optional<GlyphDisc>& ShapeCanvas::DiscOf(int width, int paletteIndex) {
  static const std::optional<GlyphDisc> kNone;
  if (glyphs_ == nullptr || width < 1 || width > kPointGlyphWidths || paletteIndex < 0 ||
      paletteIndex >= kPaletteSize) {
    return kNone;
  }
  auto& disc = discs_[static_cast<std::size_t>((width - 1) * kPaletteSize + paletteIndex)];
  if (!disc) disc = glyphs_->Disc(width, paletteIndex);
  return *disc;
}

void ShapeCanvas::DrawPointGlyph(int left, int top, int width, int paletteIndex) {
  const std::optional<GlyphDisc>& disc = DiscOf(width, paletteIndex);
  if (!disc) return;
  const QRectF box = disc->box.translated(left - 0.5, top - 0.5);
  if (Visible().intersects(box)) AddDisc(box, disc->colour);
}

}  // namespace zelmora
