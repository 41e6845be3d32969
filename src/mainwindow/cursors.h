#pragma once

#include <QCursor>

#include "interaction/editor_view.h"

namespace zelmora {

// The mouse cursors of the drawing surface: the platform's default and
// pointing hand, and four of our own compiled into the program.
class SurfaceCursors {
 public:
  SurfaceCursors();
  const QCursor& For(CursorShape shape) const;
  // Whether every drawn cursor was found among the resources.
  bool Complete() const { return complete_; }

 private:
  QCursor default_{Qt::ArrowCursor};
  QCursor hand_{Qt::PointingHandCursor};
  QCursor cross_, zoom_, movable_, dragging_;
  bool complete_ = true;
};

}  // namespace zelmora
