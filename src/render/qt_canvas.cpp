#include "render/qt_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/point_glyph_table.h"
#include "render/qt_color.h"

namespace zelmora {
namespace {

// A pen wider than this would only fill the picture more slowly.
constexpr int kMaxPenWidth = 255;
// Beyond this size an ellipse is drawn as the arc that can be seen.
constexpr double kHugeEllipseFactor = 4.0;
constexpr int kMaxArcSegments = 20000;
// How far a chord of a one-pixel circle may stray from the true curve.
constexpr double kChordError = 0.25;

}  // namespace

std::vector<int> DashLengths(PenStyle style) {
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

namespace {

// Calls `corner` with each corner of a polygon that stays within kChordError
// of the ellipse, going round once.
template <class F>
void ForEachEllipseCorner(const QRectF& box, F corner) {
  const double rx = box.width() / 2, ry = box.height() / 2, r = std::max(rx, ry);
  const double step = r > kChordError ? 2 * std::acos(1 - kChordError / r) : std::numbers::pi / 2;
  const int count =
      std::clamp(static_cast<int>(std::ceil(2 * std::numbers::pi / step)), 4, kMaxArcSegments);
  const QPointF c = box.center();
  // Turning a unit vector step by step spares a sine and cosine per corner.
  const double turnCos = std::cos(2 * std::numbers::pi / count);
  const double turnSin = std::sin(2 * std::numbers::pi / count);
  double ux = 1, uy = 0;
  for (int i = 0; i < count; ++i) {
    corner(QPointF(c.x() + rx * ux, c.y() + ry * uy));
    const double next = ux * turnCos - uy * turnSin;
    uy = uy * turnCos + ux * turnSin;
    ux = next;
  }
}

// The corners handed here lie within a few picture sizes of the picture.
// (A truncation corrected downwards: std::floor is a library call on the
// baseline processor, and a circle of a big drawing has hundreds of corners.)
int RoundHalfUp(double v) {
  const double shifted = v + 0.5;
  const int i = static_cast<int>(shifted);
  return shifted < i ? i - 1 : i;
}

QPoint Nearest(QPointF p) {
  return QPoint(RoundHalfUp(p.x()), RoundHalfUp(p.y()));
}

}  // namespace

QFont LabelFont(const QString& family) {
  QFont font(family.isEmpty() ? QStringLiteral("Times New Roman") : family);
  font.setPixelSize(kLabelFontPixelSize);
  // Crisp letters, as labels on a plain white plane always looked; half the
  // pixels of smoothed ones to draw, too.
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QImageCanvas::QImageCanvas(const PointGlyphTable* glyphs, const QFont& labelFont)
    : glyphs_(glyphs), labels_(std::make_unique<LabelPictures>(labelFont)) {
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
  labels_ = std::make_unique<LabelPictures>(font);
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
  pen.setCapStyle(Qt::RoundCap);
  // Patterns exist for one-pixel pens only; a wider pen draws solid, so a
  // dashed line made wider turns solid and keeps its style for width 1.
  pattern_ = clamped == 1 ? MakePixelPattern(DashLengths(style)) : PixelPattern{};
  pen_ = pen;
  if (painter_) painter_->setPen(pen_);
}

void QImageCanvas::SetFontColor(Color color) {
  fontColor_ = ToQColor(color).rgb();
}

void QImageCanvas::FillRect(int left, int top, int right, int bottom, Color color) {
  if (image_.isNull()) return;
  const QRect box = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                          QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1))
                        .intersected(image_.rect());
  if (box.isEmpty()) return;
  if (box == image_.rect()) {
    image_.fill(ToQColor(color));  // clearing the picture: the common case
  } else {
    Painter().fillRect(box, ToQColor(color));
  }
}

void QImageCanvas::DrawRect(int left, int top, int right, int bottom) {
  const double l = std::min(left, right), t = std::min(top, bottom);
  const double r = std::max(left, right) - 1, b = std::max(top, bottom) - 1;
  Stroke({{l, t}, {r, t}, {r, b}, {l, b}}, true);
}

void QImageCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (image_.isNull()) return;
  QLineF line(x1, y1, x2, y2);
  const QRectF area = VisibleArea();
  if (area.contains(line.p1()) && area.contains(line.p2())) {
    Stroke({line.p1(), line.p2()}, false);
    return;
  }
  // Far-away ends are cut off here, not left to the drawing code; a pattern
  // keeps its phase so a dashed line does not crawl while it is dragged.
  const QPoint start(x1, y1);
  if (!ClipSegment(area, line)) return;
  if (!Thin()) {
    Painter().drawLine(line);
    return;
  }
  const QPoint from = Nearest(line.p1());
  const int phase = std::max(std::abs(from.x() - start.x()), std::abs(from.y() - start.y()));
  ThinPen(image_, pen_.color().rgb(), pattern_, phase).Segment(from, Nearest(line.p2()));
}

void QImageCanvas::DrawEllipse(int left, int top, int right, int bottom) {
  if (image_.isNull()) return;
  const QRectF box = QRectF(QPointF(left, top), QPointF(right - 1, bottom - 1)).normalized();
  if (!VisibleArea().intersects(box)) return;
  const double limit = kHugeEllipseFactor * (image_.width() + image_.height());
  if (box.width() > limit || box.height() > limit) {
    Stroke(VisibleArc(box), false);
  } else if (Thin()) {
    // Chord by chord as the corners come: a big drawing has thousands of
    // circles, and collecting their corners first cost a fifth of a repaint.
    ThinPen pen(image_, pen_.color().rgb(), pattern_);
    QPoint first, previous;
    bool started = false;
    ForEachEllipseCorner(box, [&](QPointF p) {
      const QPoint point = Nearest(p);
      if (started) {
        pen.Segment(previous, point);
      } else {
        first = point;
        started = true;
      }
      previous = point;
    });
    pen.Segment(previous, first);
  } else {
    Painter().drawEllipse(box);
  }
}

void QImageCanvas::Stroke(const std::vector<QPointF>& corners, bool closed) {
  if (image_.isNull() || corners.size() < 2) return;
  if (!Thin()) {
    QPainter& painter = Painter();
    if (closed) {
      painter.drawPolygon(corners.data(), static_cast<int>(corners.size()));
    } else {
      painter.drawPolyline(corners.data(), static_cast<int>(corners.size()));
    }
    return;
  }
  ThinPen pen(image_, pen_.color().rgb(), pattern_);
  for (std::size_t i = 1; i < corners.size(); ++i) {
    pen.Segment(Nearest(corners[i - 1]), Nearest(corners[i]));
  }
  const QPoint last = Nearest(corners.back());
  if (closed) {
    pen.Segment(last, Nearest(corners.front()));
  } else {
    pen.Segment(last, last + QPoint(1, 0));  // the end pixel itself
  }
}

// A circle far larger than the picture: only the arc inside the picture, as
// corners of a polyline. The objects draw circles only, so the box is taken
// as one.
std::vector<QPointF> QImageCanvas::VisibleArc(const QRectF& box) const {
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
  // With the centre inside the picture the circle would be small; here it
  // lies outside, so the picture is seen from it under less than half a turn.
  if (r < nearest || r > farthest || nearest == 0) return {};
  const double towards = std::atan2(area.center().y() - c.y(), area.center().x() - c.x());
  double from = 0, to = 0;
  for (const QPointF& corner : corners) {
    const double turn = std::remainder(std::atan2(corner.y() - c.y(), corner.x() - c.x()) - towards,
                                       2 * std::numbers::pi);
    from = std::min(from, turn);
    to = std::max(to, turn);
  }
  const double length = r * (to - from);
  const int segments = static_cast<int>(std::clamp(length / 2, 2.0, double{kMaxArcSegments}));
  std::vector<QPointF> arc;
  arc.reserve(static_cast<std::size_t>(segments) + 1);
  for (int i = 0; i <= segments; ++i) {
    const double angle = towards + from + (to - from) * i / segments;
    arc.push_back(c + r * QPointF(std::cos(angle), std::sin(angle)));
  }
  return arc;
}

void QImageCanvas::DrawText(int x, int y, std::string_view text) {
  if (image_.isNull() || text.empty()) return;
  if (x >= image_.width() || y >= image_.height()) return;
  const LabelPictures::Picture& picture = labels_->Get(text, fontColor_);
  if (!picture.reach.translated(x, y).intersects(image_.rect())) return;
  if (!transparent_) {
    Painter().fillRect(QRect(x, y, picture.size.width, picture.size.height), Qt::white);
    EndPainting();  // the letters go straight into the picture's memory
  }
  const int width = image_.width(), height = image_.height();
  uchar* const bits = image_.bits();
  const qsizetype bytesPerLine = image_.bytesPerLine();
  // Most labels lie wholly inside: their pixels need no bounds test.
  const bool inside = image_.rect().contains(picture.reach.translated(x, y));
  for (const LabelPictures::Ink& ink : picture.ink) {
    const int px = x + ink.x, py = y + ink.y;
    if (!inside && (static_cast<unsigned>(px) >= static_cast<unsigned>(width) ||
                    static_cast<unsigned>(py) >= static_cast<unsigned>(height))) {
      continue;
    }
    QRgb& target = reinterpret_cast<QRgb*>(bits + py * bytesPerLine)[px];
    if (qAlpha(ink.colour) == 255) {
      target = ink.colour;
      continue;
    }
    const int clear = 255 - qAlpha(ink.colour);
    auto over = [clear](int ink, int under) { return ink + (under * clear + 127) / 255; };
    target = qRgb(over(qRed(ink.colour), qRed(target)), over(qGreen(ink.colour), qGreen(target)),
                  over(qBlue(ink.colour), qBlue(target)));
  }
}

TextSize QImageCanvas::MeasureText(std::string_view text) {
  return labels_->Measure(text);
}

void QImageCanvas::DrawPointGlyph(int left, int top, int width, int paletteIndex) {
  if (image_.isNull() || glyphs_ == nullptr) return;
  const QImage& glyph = glyphs_->Glyph(width, paletteIndex);
  if (glyph.isNull() || !image_.rect().intersects(QRect(QPoint(left, top), glyph.size()))) return;
  Painter().drawImage(left, top, glyph);
}

}  // namespace zelmora
