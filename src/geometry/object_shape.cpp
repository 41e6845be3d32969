#include "geometry/object_shape.h"

#include <bit>

#include "geometry/tg_circle.h"
#include "geometry/tg_line.h"
#include "geometry/tg_measure.h"
#include "geometry/tg_point.h"
#include "geometry/tg_text.h"
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
    case kMeasureKind: {
      const auto& m = static_cast<const TGMeasure&>(object);
      return {m.Value, m.Scale, 0, 0};
    }
    case kTextKind: {
      const auto& t = static_cast<const TGText&>(object);
      return {t.X, t.Y, 0, 0};
    }
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
    case kMeasureKind:
      static_cast<TGMeasure&>(object).Value = shape[0];
      static_cast<TGMeasure&>(object).Scale = shape[1];
      break;
    case kTextKind:
      static_cast<TGText&>(object).X = shape[0];
      static_cast<TGText&>(object).Y = shape[1];
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
  } else if (object.Kind() == kMeasureKind) {
    p.flags[1] = static_cast<const TGMeasure&>(object).HasValue;
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
  } else if (object.Kind() == kMeasureKind) {
    static_cast<TGMeasure&>(object).HasValue = placing.flags[1];
  }
}

ObjectLook LookOf(const TGObject& object) {
  ObjectLook look;
  if (object.Kind() == kMeasureKind) {
    const auto& m = static_cast<const TGMeasure&>(object);
    look.decimals = m.Decimals;
    look.centimetres = m.Centimetres;
  } else if (object.Kind() == kTextKind) {
    const auto& t = static_cast<const TGText&>(object);
    look.fontSize = t.FontSize;
    look.text = t.Text;
  }
  return look;
}

void SetLook(TGObject& object, const ObjectLook& look) {
  if (object.Kind() == kMeasureKind) {
    auto& m = static_cast<TGMeasure&>(object);
    m.Decimals = look.decimals;
    m.Centimetres = look.centimetres;
  } else if (object.Kind() == kTextKind) {
    auto& t = static_cast<TGText&>(object);
    t.FontSize = look.fontSize;
    t.Text = look.text;
  }
}

}  // namespace zelmora
