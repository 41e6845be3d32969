#pragma once

#include <array>
#include <cstdint>
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

// Everything a recompute or a move may write, bit for bit, so that a change
// of sign of zero or a NaN counts as a change too: the shape numbers, whether
// the object is defined, a line's bounded ends and whether a measurement has
// a value.
struct Placing {
  std::array<std::uint64_t, 4> values{};
  std::array<bool, 3> flags{};
  bool operator==(const Placing&) const = default;
};

Placing PlacingOf(const TGObject& object);
void SetPlacing(TGObject& object, const Placing& placing);
// What the user chose for a measurement (decimals, centimetres) or a text
// (its lines, font size) beyond its place; defaults for other kinds.
struct ObjectLook {
  int decimals = 0;
  bool centimetres = false;
  int fontSize = 0;
  std::string text;
  bool operator==(const ObjectLook&) const = default;
};

ObjectLook LookOf(const TGObject& object);
void SetLook(TGObject& object, const ObjectLook& look);

}  // namespace zelmora
