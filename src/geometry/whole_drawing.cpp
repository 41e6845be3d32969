#include "geometry/whole_drawing.h"

#include "geometry/change_log.h"

namespace zelmora {
namespace {

template <class F>
void ForAll(ObjectList& list, F apply) {
  for (std::size_t i = 0; i < list.size(); ++i) apply(list[i]);
}

// Every object moves, and the log keeps where each stood.
template <class F>
void MoveAll(ObjectList& list, F move) {
  ForAll(list, [&](TGObject& o) { ChangeLog::Moving(o, [&] { move(o); }); });
}

}  // namespace

void SaveAllPositions(ObjectList& list) {
  ForAll(list, [](TGObject& o) { o.SavePosition(); });
}

void ScaleAll(ObjectList& list, int cx, int cy, double factor) {
  MoveAll(list, [&](TGObject& o) { o.ScaleAbout(cx, cy, factor); });
}

void TranslateAll(ObjectList& list, int x, int y, const TransformFrame& frame) {
  MoveAll(list, [&](TGObject& o) { o.TranslateSaved(x, y, frame); });
}

void RotateAll(ObjectList& list, int x, int y, const TransformFrame& frame) {
  MoveAll(list, [&](TGObject& o) { o.RotateSaved(x, y, frame); });
}

void ReflectAllInPoint(ObjectList& list, double x, double y) {
  MoveAll(list, [&](TGObject& o) { o.ReflectInPoint(x, y); });
}

void ReflectAllInLine(ObjectList& list, double x1, double y1, double x2, double y2) {
  MoveAll(list, [&](TGObject& o) { o.ReflectInLine(x1, y1, x2, y2); });
}

}  // namespace zelmora
