#include "interaction/export_rect.h"

#include <algorithm>

namespace zelmora {

void ExportRect::Start() {
  *this = ExportRect{};
}

void ExportRect::Press(int x, int y) {
  x1_ = x2_ = x;
  y1_ = y2_ = y;
  dragging_ = true;
  frameShown_ = true;
}

void ExportRect::Move(int x, int y) {
  if (!dragging_) return;
  x2_ = x;
  y2_ = y;
}

// A release that no press of this rectangle began (the button went down
// before the export started) leaves the rectangle alone.
void ExportRect::Release(int x, int y) {
  if (!dragging_) return;
  x2_ = x;
  y2_ = y;
  dragging_ = false;
}

void ExportRect::PaintFrame(Canvas& canvas) const {
  if (!frameShown_) return;
  canvas.SetPen(kBlack, 1, PenStyle::Dot);
  canvas.DrawRect(x1_, y1_, x2_, y2_);
}

PixelRect ExportRect::Area(int surfaceWidth, int surfaceHeight) const {
  // A drag that ran past the edge takes only what the surface shows.
  const int left = std::clamp(std::min(x1_, x2_), 0, std::max(surfaceWidth, 0));
  const int right = std::clamp(std::max(x1_, x2_), 0, std::max(surfaceWidth, 0));
  const int top = std::clamp(std::min(y1_, y2_), 0, std::max(surfaceHeight, 0));
  const int bottom = std::clamp(std::max(y1_, y2_), 0, std::max(surfaceHeight, 0));
  return {left, top, right - left, bottom - top};
}

}  // namespace zelmora
