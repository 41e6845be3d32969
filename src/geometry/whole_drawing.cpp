#include "geometry/whole_drawing.h"

namespace zelmora {
namespace {

template <class F>
void ForAll(const ObjectList& list, F apply) {
  for (std::size_t i = 0; i < list.size(); ++i) apply(list[i]);
}

}  // namespace

void SaveAllPositions(const ObjectList& list) {
  ForAll(list, [](TGObject& o) { o.SavePosition(); });
}

void ScaleAll(const ObjectList& list, int cx, int cy, double factor) {
  ForAll(list, [&](TGObject& o) { o.ScaleAbout(cx, cy, factor); });
}

void TranslateAll(const ObjectList& list, int x, int y, const TransformFrame& frame) {
  ForAll(list, [&](TGObject& o) { o.TranslateSaved(x, y, frame); });
}

void RotateAll(const ObjectList& list, int x, int y, const TransformFrame& frame) {
  ForAll(list, [&](TGObject& o) { o.RotateSaved(x, y, frame); });
}

void ReflectAllInPoint(const ObjectList& list, double x, double y) {
  ForAll(list, [&](TGObject& o) { o.ReflectInPoint(x, y); });
}

void ReflectAllInLine(const ObjectList& list, double x1, double y1, double x2, double y2) {
  ForAll(list, [&](TGObject& o) { o.ReflectInLine(x1, y1, x2, y2); });
}

}  // namespace zelmora
