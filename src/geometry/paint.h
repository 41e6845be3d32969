#pragma once

#include "geometry/canvas.h"
#include "geometry/object_list.h"

namespace zelmora {

// The whole picture of a drawing on a white `width` x `height` canvas: every
// object in list order, the selected one (may be null) last and in red, so it
// is always on top. The window and the command-line renderer both use it, so
// a rendered file looks exactly like the screen.
void PaintDrawing(Canvas& canvas, ObjectList& objects, TGObject* selected,
                  const DrawContext& context, int width, int height);

}  // namespace zelmora
