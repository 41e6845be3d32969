#pragma once

#include "geometry/tg_object.h"

namespace zelmora {

// An angle in degrees that a construction reads (method 107). Never drawn,
// never hit; it has no parents and is not deleted with its children.
class TGAngle : public TGObject {
 public:
  static constexpr int kKind = kAngleKind;
  TGAngle() = default;
  int Kind() const override { return kKind; }
  double Value = 1.0;
};

// A distance in plane units (method 10). Zooming scales it with the drawing.
class TGLength : public TGObject {
 public:
  static constexpr int kKind = kLengthKind;
  TGLength() = default;
  int Kind() const override { return kKind; }
  void ScaleAbout(int cx, int cy, double factor) override { Value *= factor; }
  double Value = 1.0;
};

}  // namespace zelmora
