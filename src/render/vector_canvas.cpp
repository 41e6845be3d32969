#include "render/vector_canvas.h"

#include <QPainter>
#include <algorithm>

#include "render/point_glyph_table.h"
#include "render/qt_canvas.h"
#include "render/qt_color.h"

namespace zelmora {
namespace {

constexpr int kMaxPenWidth = 255;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

VectorCanvas::VectorCanvas(QPainter& painter, const PointGlyphTable* glyphs, const QFont& labelFont,
                           const QRectF& area)
    : painter_(painter), glyphs_(glyphs), font_(labelFont), metrics_(labelFont), area_(area) {
  // Shapes are smoothed when a viewer or printer draws them; the letters too.
  font_.setStyleStrategy(QFont::PreferDefault);
  labelFont_ = font_;
  painter_.setFont(font_);
  painter_.setBrush(Qt::NoBrush);
  SetPen(kBlack, 1, PenStyle::Solid);
}

QRectF VectorCanvas::Reach() const {
  const double reach = pen_.widthF() + 2;
  return area_.adjusted(-reach, -reach, reach, reach);
}

void VectorCanvas::SetPen(Color color, int width, PenStyle style) {
  const int clamped = std::clamp(width, 1, kMaxPenWidth);
  QPen pen(ToQColor(color), clamped);
  pen.setJoinStyle(Qt::RoundJoin);
  // The same patterns as on the screen, and as there only for one-pixel pens.
  const std::vector<int> dashes = clamped == 1 ? DashLengths(style) : std::vector<int>{};
  if (dashes.empty()) {
    pen.setCapStyle(Qt::RoundCap);
  } else {
    pen.setCapStyle(Qt::FlatCap);  // a round cap would lengthen every dash
    pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
  }
  // Every change of pen opens a new group in an SVG file; most objects of a
  // drawing share one.
  if (pen == pen_ && painter_.pen() == pen_) return;
  pen_ = pen;
  painter_.setPen(pen_);
}

void VectorCanvas::SetFontColor(Color color) {
  fontColor_ = ToQColor(color);
}

void VectorCanvas::FillRect(int left, int top, int right, int bottom, Color color) {
  const QRectF box = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized() & area_;
  if (box.isEmpty()) return;
  painter_.fillRect(box, ToQColor(color));
}

void VectorCanvas::DrawRect(int left, int top, int right, int bottom) {
  const QRectF box = QRectF(QPointF(std::min(left, right), std::min(top, bottom)),
                            QPointF(std::max(left, right) - 1, std::max(top, bottom) - 1));
  if (!Reach().intersects(box.adjusted(-1, -1, 1, 1))) return;
  painter_.drawRect(box);
}

void VectorCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  // A full line's ends lie far outside; only the visible piece is written.
  QLineF line(x1, y1, x2, y2);
  if (!ClipSegment(Reach(), line)) return;
  if (line.p1() == line.p2()) {
    painter_.drawPoint(line.p1());
  } else {
    painter_.drawLine(line);
  }
}

void VectorCanvas::DrawEllipse(int left, int top, int right, int bottom) {
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
  painter_.drawEllipse(box);
}

void VectorCanvas::DrawText(int x, int y, std::string_view text) {
  if (text.empty()) return;
  const QString s = FromUtf8(text);
  const QRectF box(x, y, metrics_.horizontalAdvance(s), metrics_.height());
  if (!Reach().intersects(box.adjusted(-2, -2, 2, 2))) return;
  if (!transparent_) painter_.fillRect(box, Qt::white);
  // Letters take only the pen's colour: the pen stays when that is the
  // same, sparing the file two changes of state.
  const bool recolour = pen_.color() != fontColor_;
  if (recolour) painter_.setPen(fontColor_);
  painter_.drawText(QPointF(x, y + metrics_.ascent()), s);
  if (recolour) painter_.setPen(pen_);
}

void VectorCanvas::SetTextSize(int pixels) {
  QFont font = labelFont_;
  if (pixels > 0) font.setPixelSize(pixels);
  if (font == font_) return;
  font_ = font;
  metrics_ = QFontMetrics(font_);
  painter_.setFont(font_);
}

TextSize VectorCanvas::MeasureText(std::string_view text) {
  return {metrics_.horizontalAdvance(FromUtf8(text)), metrics_.height()};
}

void VectorCanvas::DrawPointGlyph(int left, int top, int width, int paletteIndex) {
  if (glyphs_ == nullptr) return;
  const QImage& glyph = glyphs_->Glyph(width, paletteIndex);
  if (glyph.isNull() || !area_.intersects(QRectF(QPointF(left, top), glyph.size()))) return;
  painter_.drawImage(QPointF(left, top), glyph);
}

}  // namespace zelmora
