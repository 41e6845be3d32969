#pragma once

#include "geometry/canvas.h"
#include "geometry/tg_object.h"

namespace zelmora {

struct HitContext {
  bool showAll = false;
  int feeling = 5;  // tolerance in pixels, added to the object's width
};

// The label's box as the canvas measures the name, strict on every side. A
// label of an object whose MustDraw is off is never hit, even with ShowAll.
bool LabelHit(const TGObject& object, double x, double y, Canvas& canvas);

// Whether a press at (x, y) takes the object: its label, or a distance below
// Feeling + Width to what is drawn.
bool HitTest(const TGObject& object, double x, double y, Canvas& canvas, const HitContext& context);

}  // namespace zelmora
