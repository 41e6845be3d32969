#include "geometry/tg_object.h"

#include <algorithm>

#include "geometry/change_log.h"
#include "geometry/graph.h"
#include "geometry/pixel.h"

namespace zelmora {

void TGObject::DragTo(int x, int y) {
  ChangeLog::Moving(*this, [&] { DragPosition(x, y); });
  UpdateDescendants(*this);
}

void TGObject::ShiftTo(int x, int y) {
  ChangeLog::Moving(*this, [&] { ShiftPosition(x, y); });
  UpdateDescendants(*this);
}

bool TGObject::HasChild(const TGObject* object) const {
  return std::find(Children.begin(), Children.end(), object) != Children.end();
}

zelmora::Color TGObject::DrawColor(bool selected, bool blink) const {
  if (blink) return kBlinkColor;
  if (selected) return kSelectedColor;
  return Color;
}

void TGObject::DrawLabel(Canvas& canvas) const {
  if (!NameVisible) return;
  canvas.DrawText(ToPixel(LabelX()), ToPixel(LabelY()), Name);
}

}  // namespace zelmora
