#pragma once

#include <array>
#include <string>

#include "geometry/tg_object.h"

namespace zelmora {

// The numbers that place an object: X Y of a point, X1 Y1 X2 Y2 of a line,
// CX CY R of a circle, the value of an angle or a length, a measurement's
// value and zoom scale, a text's corner; zeros elsewhere.
// Whoever keeps or compares objects' positions goes through these, so a new
// kind of object is taught in one place.
using ShapeNumbers = std::array<double, 4>;

ShapeNumbers ShapeOf(const TGObject& object);
// Only the numbers the object's kind has are set.
void SetShape(TGObject& object, const ShapeNumbers& shape);

// What the user chose for a measurement (decimals, centimetres) or a text
// (its lines, font size) beyond its place; defaults for other kinds.
struct ObjectLook {
  int decimals = 0;
  bool centimetres = false;
  bool hasValue = false;
  int fontSize = 0;
  std::string text;
  bool operator==(const ObjectLook&) const = default;
};

ObjectLook LookOf(const TGObject& object);
void SetLook(TGObject& object, const ObjectLook& look);

}  // namespace zelmora
