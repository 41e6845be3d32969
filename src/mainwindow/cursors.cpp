#include "mainwindow/cursors.h"

#include <QPixmap>

#include "render/pack_pixmaps.h"

// The resources live in a static library: naming them here keeps the linker
// from dropping them.
static void InitCursorResources() {
  Q_INIT_RESOURCE(cursors);
}

namespace zelmora {
namespace {

struct DrawnCursor {
  const char* resource;
  int hotX, hotY;
  Qt::CursorShape fallback;  // should the resource be missing
};

constexpr DrawnCursor kCross{":/cursors/CURSOR_1", 15, 15, Qt::CrossCursor};
constexpr DrawnCursor kZoom{":/cursors/CURSOR_2", 12, 12, Qt::CrossCursor};
constexpr DrawnCursor kMovable{":/cursors/CURSOR_4", 15, 15, Qt::SizeAllCursor};
constexpr DrawnCursor kDragging{":/cursors/CURSOR_5", 15, 15, Qt::ClosedHandCursor};

}  // namespace

SurfaceCursors::SurfaceCursors() {
  InitCursorResources();
  auto load = [this](const DrawnCursor& drawn) {
    // The format is given: guessing it would load every image plugin.
    const QImage picture(QString::fromLatin1(drawn.resource), "XPM");
    if (picture.isNull()) {
      complete_ = false;
      return QCursor(drawn.fallback);
    }
    return QCursor(PackPixmaps::ForScreens(picture), drawn.hotX, drawn.hotY);
  };
  cross_ = load(kCross);
  zoom_ = load(kZoom);
  movable_ = load(kMovable);
  dragging_ = load(kDragging);
}

const QCursor& SurfaceCursors::For(CursorShape shape) const {
  switch (shape) {
    case CursorShape::HandPoint:
      return hand_;
    case CursorShape::Cross:
      return cross_;
    case CursorShape::Zoom:
      return zoom_;
    case CursorShape::Movable:
      return movable_;
    case CursorShape::Dragging:
      return dragging_;
    default:
      return default_;
  }
}

}  // namespace zelmora
