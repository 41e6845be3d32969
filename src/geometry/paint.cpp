#include "geometry/paint.h"

namespace zelmora {

void PaintDrawing(Canvas& canvas, ObjectList& objects, TGObject* selected,
                  const DrawContext& context, int width, int height) {
  canvas.FillRect(0, 0, width, height, kBackgroundColor);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (&objects[i] != selected) objects[i].Draw(canvas, false, false, context);
  }
  if (selected != nullptr) selected->Draw(canvas, true, false, context);
}

}  // namespace zelmora
