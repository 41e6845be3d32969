#pragma once

#include <cstddef>

#include "geometry/canvas.h"
#include "geometry/object_list.h"

namespace zelmora {

// The whole picture of a drawing on a white `width` x `height` canvas: every
// object in list order, the selected one (may be null) last and in red, so it
// is always on top. The window and the command-line renderer both use it, so
// a rendered file looks exactly like the screen.
void PaintDrawing(Canvas& canvas, ObjectList& objects, TGObject* selected,
                  const DrawContext& context, int width, int height);

// The drawing as it stood after its first `count` objects, the newest of
// them selected: one step of a replayed construction.
void PaintFirstObjects(Canvas& canvas, ObjectList& objects, std::size_t count,
                       const DrawContext& context, int width, int height);

}  // namespace zelmora
