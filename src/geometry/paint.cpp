#include "geometry/paint.h"

#include <algorithm>
#include "geometry/text_fields.h"

namespace zelmora {

void PaintDrawing(Canvas& canvas, ObjectList& objects, TGObject* selected,
                  const DrawContext& context, int width, int height) {
  canvas.FillRect(0, 0, width, height, kBackgroundColor);
  // Each text is filled in as it is drawn: a second walk over every object
  // of a big drawing costs as much as drawing its points. The values it
  // shows are worked out already.
  const FieldLookup lookup = MeasureLookup(objects, context.pixelsPerCentimetre);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    RefreshText(objects[i], lookup);
    if (&objects[i] != selected) objects[i].Draw(canvas, false, false, context);
  }
  if (selected != nullptr) selected->Draw(canvas, true, false, context);
}

void PaintFirstObjects(Canvas& canvas, ObjectList& objects, std::size_t count,
                       const DrawContext& context, int width, int height) {
  count = std::min(count, objects.size());
  canvas.FillRect(0, 0, width, height, kBackgroundColor);
  for (std::size_t i = 0; i + 1 < count; ++i) objects[i].Draw(canvas, false, false, context);
  if (count > 0) objects[count - 1].Draw(canvas, true, false, context);
}

}  // namespace zelmora
