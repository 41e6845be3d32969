#pragma once

#include <array>

#include "geometry/tg_object.h"

namespace zelmora {

// The numbers that place an object: X Y of a point, X1 Y1 X2 Y2 of a line,
// CX CY R of a circle, the value of an angle or a length; zeros elsewhere.
// Whoever keeps or compares objects' positions goes through these, so a new
// kind of object is taught in one place.
using ShapeNumbers = std::array<double, 4>;

ShapeNumbers ShapeOf(const TGObject& object);
// Only the numbers the object's kind has are set.
void SetShape(TGObject& object, const ShapeNumbers& shape);

}  // namespace zelmora
