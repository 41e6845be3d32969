#pragma once

#include <QPen>

#include "render/shape_canvas.h"

class QPainter;

namespace zelmora {

// The shapes painted through a QPainter: PDF and the printer. The painter's
// transform and clip are the caller's, with the surface pixel (x, y) at
// (x + 0.5, y + 0.5).
class VectorCanvas : public ShapeCanvas {
 public:
  VectorCanvas(QPainter& painter, const PointGlyphTable* glyphs, const QFont& labelFont,
               const QRect& area);

 protected:
  void PenChanged() override;
  void FontChanged() override;
  void AddLine(const QLineF& line) override;
  void AddEllipse(const QRectF& box) override;
  void AddRect(const QRectF& box) override;
  void AddFill(const QRectF& box, const QColor& colour) override;
  void AddDisc(const QRectF& box, const QColor& colour) override;
  void AddText(const QPointF& origin, const QString& text, const QColor& colour) override;

 private:
  QPainter& painter_;
  QPen pen_;
};

}  // namespace zelmora
