#include "interaction/modes/picking_mode.h"

#include "geometry/hit_test.h"

namespace zelmora {

void PickingMode::RightPress(int x, int y) {
  editor_.ShowPopup(x, y);
}

void PickingMode::Hover(int x, int y) {
  editor_.DescribeObjectAt(x, y, 0, handOverDraggable_);
}

void PickingMode::Tick(bool blink) {
  Canvas& canvas = editor_.View().PictureCanvas();
  const DrawContext context = editor_.PaintContext();
  for (int index : Blinking()) {
    if (TGObject* o = editor_.Objects().at(index)) o->Draw(canvas, false, blink, context);
  }
}

std::vector<int> PickingMode::ObjectsAt(int x, int y) {
  std::vector<int> hits;
  ObjectList& objects = editor_.Objects();
  Canvas& canvas = editor_.View().PictureCanvas();
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (HitTest(objects[i], x, y, canvas, editor_.Hits())) hits.push_back(static_cast<int>(i));
  }
  return hits;
}

TGPoint& PickingMode::AddFreePoint(int x, int y) {
  TGPoint& point = editor_.Objects().AddPoint();
  point.X = x;
  point.Y = y;
  point.MustDraw = true;
  return point;
}

}  // namespace zelmora
