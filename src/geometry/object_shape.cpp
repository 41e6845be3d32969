#include "geometry/object_shape.h"

#include <bit>

#include "geometry/tg_circle.h"
#include "geometry/tg_line.h"
#include "geometry/tg_point.h"
#include "geometry/tg_value.h"

namespace zelmora {

ShapeNumbers ShapeOf(const TGObject& object) {
  switch (object.Kind()) {
    case kPointKind: {
      const auto& p = static_cast<const TGPoint&>(object);
      return {p.X, p.Y, 0, 0};
    }
    case kLineKind: {
      const auto& l = static_cast<const TGLine&>(object);
      return {l.X1, l.Y1, l.X2, l.Y2};
    }
    case kCircleKind: {
      const auto& c = static_cast<const TGCircle&>(object);
      return {c.CX, c.CY, c.R, 0};
    }
    case kAngleKind:
      return {static_cast<const TGAngle&>(object).Value, 0, 0, 0};
    case kLengthKind:
      return {static_cast<const TGLength&>(object).Value, 0, 0, 0};
    default:
      return {};
  }
}

void SetShape(TGObject& object, const ShapeNumbers& shape) {
  switch (object.Kind()) {
    case kPointKind: {
      auto& p = static_cast<TGPoint&>(object);
      p.X = shape[0];
      p.Y = shape[1];
      break;
    }
    case kLineKind: {
      auto& l = static_cast<TGLine&>(object);
      l.X1 = shape[0];
      l.Y1 = shape[1];
      l.X2 = shape[2];
      l.Y2 = shape[3];
      break;
    }
    case kCircleKind: {
      auto& c = static_cast<TGCircle&>(object);
      c.CX = shape[0];
      c.CY = shape[1];
      c.R = shape[2];
      break;
    }
    case kAngleKind:
      static_cast<TGAngle&>(object).Value = shape[0];
      break;
    case kLengthKind:
      static_cast<TGLength&>(object).Value = shape[0];
      break;
    default:
      break;
  }
}

Placing PlacingOf(const TGObject& object) {
  Placing p;
  const ShapeNumbers shape = ShapeOf(object);
  for (std::size_t i = 0; i < shape.size(); ++i) {
    p.values[i] = std::bit_cast<std::uint64_t>(shape[i]);
  }
  p.flags[0] = object.Defined;
  if (object.Kind() == kLineKind) {
    const auto& l = static_cast<const TGLine&>(object);
    p.flags[1] = l.Bounded1;
    p.flags[2] = l.Bounded2;
  }
  return p;
}

void SetPlacing(TGObject& object, const Placing& placing) {
  ShapeNumbers shape;
  for (std::size_t i = 0; i < shape.size(); ++i)
    shape[i] = std::bit_cast<double>(placing.values[i]);
  SetShape(object, shape);
  object.Defined = placing.flags[0];
  if (object.Kind() == kLineKind) {
    auto& l = static_cast<TGLine&>(object);
    l.Bounded1 = placing.flags[1];
    l.Bounded2 = placing.flags[2];
  }
}

}  // namespace zelmora
