#include "mainwindow/qt_canvas.h"

#include <QPainter>
#include <QString>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "mainwindow/pack_images.h"
#include "mainwindow/point_glyph_table.h"

namespace zelmora {
namespace {

// A pen wider than this would only fill the picture more slowly.
constexpr int kMaxPenWidth = 255;
// Beyond this size an ellipse is drawn as the arc that can be seen.
constexpr double kHugeEllipseFactor = 4.0;
constexpr int kMaxArcSegments = 20000;

// The patterns of one-pixel pens, in pixels: on, off, on, off...
QVector<qreal> DashPattern(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return {18, 6};
    case PenStyle::Dot:
      return {3, 3};
    case PenStyle::DashDot:
      return {9, 6, 3, 6};
    case PenStyle::DashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Liang-Barsky: the part of the segment inside `area`; false when none is.
bool ClipSegment(const QRectF& area, QLineF& line) {
  double t0 = 0, t1 = 1;
  const double dx = line.dx(), dy = line.dy();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {line.x1() - area.left(), area.right() - line.x1(), line.y1() - area.top(),
                       area.bottom() - line.y1()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const QPointF start = line.p1();
  line = QLineF(start + t0 * QPointF(dx, dy), start + t1 * QPointF(dx, dy));
  return true;
}

}  // namespace

QFont LabelFont(const QString& family) {
  QFont font(family.isEmpty() ? QStringLiteral("Times New Roman") : family);
  font.setPixelSize(kLabelFontPixelSize);
  return font;
}

QImageCanvas::QImageCanvas(const PointGlyphTable* glyphs, const QFont& labelFont)
    : glyphs_(glyphs), font_(labelFont), metrics_(labelFont) {
  SetPen(kBlack, 1, PenStyle::Solid);
}

QImageCanvas::~QImageCanvas() {
  EndPainting();
}

void QImageCanvas::Resize(QSize size) {
  EndPainting();
  if (size.isEmpty()) {
    image_ = QImage();
    return;
  }
  image_ = QImage(size, QImage::Format_RGB32);
  image_.fill(Qt::white);
}

void QImageCanvas::SetLabelFont(const QFont& font) {
  font_ = font;
  metrics_ = QFontMetrics(font);
  if (painter_) painter_->setFont(font_);
}

const QImage& QImageCanvas::Image() {
  EndPainting();
  return image_;
}

QPainter& QImageCanvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setPen(pen_);
    painter_->setBrush(Qt::NoBrush);
    painter_->setFont(font_);
  }
  return *painter_;
}

void QImageCanvas::EndPainting() {
  if (painter_) painter_->end();
  painter_.reset();
}

QRectF QImageCanvas::VisibleArea() const {
  const double reach = pen_.widthF() + 2;
  return QRectF(image_.rect()).adjusted(-reach, -reach, reach, reach);
}

void QImageCanvas::SetPen(Color color, int width, PenStyle style) {
  const int clamped = std::clamp(width, 1, kMaxPenWidth);
  QPen pen(ToQColor(color), clamped);
  pen.setJoinStyle(Qt::RoundJoin);
  // Patterns exist for one-pixel pens only; a wider pen draws solid, so a
  // dashed line made wider turns solid and keeps its style for width 1.
  const QVector<qreal> pattern = clamped == 1 ? DashPattern(style) : QVector<qreal>{};
  if (pattern.isEmpty()) {
    pen.setCapStyle(clamped == 1 ? Qt::FlatCap : Qt::RoundCap);
  } else {
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern(pattern);
  }
  pen_ = pen;
  if (painter_) painter_->setPen(pen_);
}

void QImageCanvas::SetFontColor(Color color) {
  fontColor_ = ToQColor(color);
}

void QImageCanvas::FillRect(int left, int top, int right, int bottom, Color color) {
  if (image_.isNull()) return;
  const QRect box = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                          QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1))
                        .intersected(image_.rect());
  if (!box.isEmpty()) Painter().fillRect(box, ToQColor(color));
}

void QImageCanvas::DrawRect(int left, int top, int right, int bottom) {
  if (image_.isNull()) return;
  const QRect box(QPoint(std::min(left, right), std::min(top, bottom)),
                  QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
  if (VisibleArea().contains(QRectF(box))) {
    Painter().drawRect(box.adjusted(0, 0, -1, -1));
    return;
  }
  DrawLine(box.left(), box.top(), box.right(), box.top());
  DrawLine(box.right(), box.top(), box.right(), box.bottom());
  DrawLine(box.right(), box.bottom(), box.left(), box.bottom());
  DrawLine(box.left(), box.bottom(), box.left(), box.top());
}

void QImageCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (image_.isNull()) return;
  QLineF line(x1, y1, x2, y2);
  const QRectF area = VisibleArea();
  if (area.contains(line.p1()) && area.contains(line.p2())) {
    Painter().drawLine(line);
    return;
  }
  // Far-away ends are cut off here, not left to the painter; a pattern keeps
  // its phase so a dashed line does not crawl while it is dragged.
  const QPointF start = line.p1();
  if (!ClipSegment(area, line)) return;
  QPainter& painter = Painter();
  const QVector<qreal> pattern = pen_.dashPattern();
  if (pen_.style() == Qt::CustomDashLine && !pattern.isEmpty()) {
    double period = 0;
    for (qreal part : pattern) period += part;
    QPen shifted = pen_;
    shifted.setDashOffset(std::fmod(QLineF(start, line.p1()).length(), period));
    painter.setPen(shifted);
    painter.drawLine(line);
    painter.setPen(pen_);
  } else {
    painter.drawLine(line);
  }
}

void QImageCanvas::DrawEllipse(int left, int top, int right, int bottom) {
  if (image_.isNull()) return;
  const QRectF box = QRectF(QPointF(left, top), QPointF(right - 1, bottom - 1)).normalized();
  const QRectF area = VisibleArea();
  if (!area.intersects(box)) return;
  const double limit = kHugeEllipseFactor * (image_.width() + image_.height());
  if (box.width() > limit || box.height() > limit) {
    DrawHugeEllipse(box);
    return;
  }
  Painter().drawEllipse(box);
}

// A circle far larger than the picture: only the arc inside the picture is
// drawn, as a polyline. The objects draw circles only, so the box is taken
// as one.
void QImageCanvas::DrawHugeEllipse(const QRectF& box) {
  const QRectF area = VisibleArea();
  const QPointF c = box.center();
  const double r = (box.width() + box.height()) / 4;
  const QPointF corners[4] = {area.topLeft(), area.topRight(), area.bottomLeft(),
                              area.bottomRight()};
  double farthest = 0;
  for (const QPointF& corner : corners) farthest = std::max(farthest, QLineF(c, corner).length());
  const double nearestX = std::clamp(c.x(), area.left(), area.right());
  const double nearestY = std::clamp(c.y(), area.top(), area.bottom());
  const double nearest = QLineF(c, QPointF(nearestX, nearestY)).length();
  // Inside the picture the centre would make a small circle; here it lies
  // outside, so the picture is seen from it under less than half a turn.
  if (r < nearest || r > farthest || nearest == 0) return;
  const double towards = std::atan2(area.center().y() - c.y(), area.center().x() - c.x());
  double from = 0, to = 0;
  for (const QPointF& corner : corners) {
    double turn = std::atan2(corner.y() - c.y(), corner.x() - c.x()) - towards;
    turn = std::remainder(turn, 2 * std::numbers::pi);
    from = std::min(from, turn);
    to = std::max(to, turn);
  }
  const double length = r * (to - from);
  const int segments = static_cast<int>(std::clamp(length / 2, 2.0, double{kMaxArcSegments}));
  QVector<QPointF> arc;
  arc.reserve(segments + 1);
  for (int i = 0; i <= segments; ++i) {
    const double angle = towards + from + (to - from) * i / segments;
    arc.append(c + r * QPointF(std::cos(angle), std::sin(angle)));
  }
  Painter().drawPolyline(arc.data(), static_cast<int>(arc.size()));
}

void QImageCanvas::DrawText(int x, int y, std::string_view text) {
  if (image_.isNull() || text.empty()) return;
  if (x >= image_.width() || y >= image_.height() || y + metrics_.height() <= 0) return;
  const QString s = FromUtf8(text);
  const int width = metrics_.horizontalAdvance(s);
  if (x + width <= 0) return;
  QPainter& painter = Painter();
  if (!transparent_) painter.fillRect(QRect(x, y, width, metrics_.height()), Qt::white);
  painter.setPen(fontColor_);
  painter.drawText(QPoint(x, y + metrics_.ascent()), s);
  painter.setPen(pen_);
}

TextSize QImageCanvas::MeasureText(std::string_view text) {
  return {metrics_.horizontalAdvance(FromUtf8(text)), metrics_.height()};
}

void QImageCanvas::DrawPointGlyph(int left, int top, int width, int paletteIndex) {
  if (image_.isNull() || glyphs_ == nullptr) return;
  const QImage& glyph = glyphs_->Glyph(width, paletteIndex);
  if (glyph.isNull() || !image_.rect().intersects(QRect(QPoint(left, top), glyph.size()))) return;
  Painter().drawImage(left, top, glyph);
}

}  // namespace zelmora
