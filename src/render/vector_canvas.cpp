#include "render/vector_canvas.h"

#include <QPainter>

namespace zelmora {

VectorCanvas::VectorCanvas(QPainter& painter, const PointGlyphTable* glyphs, const QFont& labelFont,
                           const QRect& area)
    : ShapeCanvas(glyphs, labelFont, area), painter_(painter) {
  painter_.setFont(LabelFont());
  painter_.setBrush(Qt::NoBrush);
  PenChanged();
}

void VectorCanvas::FontChanged() {
  painter_.setFont(TextFont());
}

void VectorCanvas::PenChanged() {
  const Stroke& stroke = Pen();
  QPen pen(stroke.colour, stroke.width);
  pen.setJoinStyle(Qt::RoundJoin);
  if (stroke.dashes.empty()) {
    pen.setCapStyle(Qt::RoundCap);
  } else {
    pen.setCapStyle(Qt::FlatCap);  // a round cap would lengthen every dash
    pen.setDashPattern(QList<qreal>(stroke.dashes.begin(), stroke.dashes.end()));
  }
  pen_ = pen;
  painter_.setPen(pen_);
}

void VectorCanvas::AddLine(const QLineF& line) {
  if (line.p1() == line.p2()) {
    painter_.drawPoint(line.p1());
  } else {
    painter_.drawLine(line);
  }
}

void VectorCanvas::AddEllipse(const QRectF& box) {
  painter_.drawEllipse(box);
}

void VectorCanvas::AddRect(const QRectF& box) {
  painter_.drawRect(box);
}

void VectorCanvas::AddFill(const QRectF& box, const QColor& colour) {
  painter_.fillRect(box, colour);
}

void VectorCanvas::AddDisc(const QRectF& box, const QColor& colour) {
  if (box.width() != box.height()) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(colour);
    painter_.drawEllipse(box);
    painter_.setBrush(Qt::NoBrush);
    painter_.setPen(pen_);
    return;
  }
  // A dot of a round pen as wide as the disc: a far shorter page than an
  // outline of curves, and as round.
  QPen dot(colour, box.width(), Qt::SolidLine, Qt::RoundCap);
  painter_.setPen(dot);
  painter_.drawPoint(box.center());
  painter_.setPen(pen_);
}

void VectorCanvas::AddText(const QPointF& origin, const QString& text, const QColor& colour) {
  // Letters take only the pen's colour: the pen stays when that is the
  // same, sparing the file two changes of state.
  const bool recolour = pen_.color() != colour;
  if (recolour) painter_.setPen(colour);
  painter_.drawText(origin, text);
  if (recolour) painter_.setPen(pen_);
}

}  // namespace zelmora
