#include "geometry/hit_test.h"

namespace zelmora {

bool LabelHit(const TGObject& object, double x, double y, Canvas& canvas) {
  // Value objects have no place on the plane, whatever a file says of them.
  if (object.Kind() == kAngleKind || object.Kind() == kLengthKind) return false;
  if (!object.NameVisible || !object.MustDraw || !object.Defined || object.Hidden) return false;
  const TextSize size = canvas.MeasureText(object.Name);
  const double left = object.LabelX();
  const double top = object.LabelY();
  return left < x && x < left + size.width && top < y && y < top + size.height;
}

bool HitTest(const TGObject& object, double x, double y, Canvas& canvas,
             const HitContext& context) {
  if (!object.IsShown(context.showAll)) return false;
  if (LabelHit(object, x, y, canvas)) return true;
  return object.DistanceTo(x, y) < static_cast<double>(context.feeling) + object.Width;
}

}  // namespace zelmora
