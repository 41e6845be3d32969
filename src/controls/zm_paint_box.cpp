#include "controls/zm_paint_box.h"

#include <utility>

#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <cmath>
#include <optional>

#include "geometry/pixel.h"

namespace zelmora {
namespace {

// The editor knows three buttons; the extra buttons of some mice mean nothing here.
std::optional<MouseButton> EditorButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

Modifiers EditorModifiers(const QMouseEvent& event) {
  Modifiers mods;
  mods.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  mods.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
  mods.left = event.buttons().testFlag(Qt::LeftButton);
  mods.right = event.buttons().testFlag(Qt::RightButton);
  return mods;
}

// Pixel k covers [k, k + 1). ToPixel keeps a captured mouse far outside the
// surface inside int.
int SurfacePixel(double coordinate) {
  return ToPixel(std::floor(coordinate));
}

}  // namespace

TZMPaintBox::TZMPaintBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
  // Hovering reports the object under the cursor, so moves without a button count too.
  setMouseTracking(true);
}

void TZMPaintBox::SetPicture(PictureSource source) {
  picture_ = std::move(source);
  update();
}

void TZMPaintBox::MoveCursorTo(int x, int y) {
  QCursor::setPos(mapToGlobal(QPoint(x, y)));
}

void TZMPaintBox::DoMouseEnter() {
  emit MouseEnter();
}

void TZMPaintBox::DoMouseLeave() {
  emit MouseLeave();
}

void TZMPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QRegion uncovered = event->region();
  const QImage* picture = picture_ ? picture_() : nullptr;
  if (picture != nullptr && !picture->isNull()) {
    // Moved to a screen of other pixels: the owner paints the picture anew
    // for it, this once it is shown as it is.
    if (picture->devicePixelRatio() != devicePixelRatioF()) {
      QMetaObject::invokeMethod(
          this, [this] { emit Resized(width(), height()); }, Qt::QueuedConnection);
    }
    painter.drawImage(0, 0, *picture);
    // A picture of a finer screen's pixels covers the surface in its units.
    uncovered -= QRect(QPoint(0, 0), picture->deviceIndependentSize().toSize());
  }
  // Nothing may be left unpainted: the background is never erased.
  for (const QRect& rect : uncovered) painter.fillRect(rect, Qt::white);
  emit Paint(painter);
}

void TZMPaintBox::mousePressEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = EditorButton(event->button());
  if (!button) return;
  emit MouseDown(*button, EditorModifiers(*event), SurfacePixel(event->position().x()),
                 SurfacePixel(event->position().y()));
}

void TZMPaintBox::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(EditorModifiers(*event), SurfacePixel(event->position().x()),
                 SurfacePixel(event->position().y()));
}

void TZMPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = EditorButton(event->button());
  if (!button) return;
  emit MouseUp(*button, EditorModifiers(*event), SurfacePixel(event->position().x()),
               SurfacePixel(event->position().y()));
}

void TZMPaintBox::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (presence_.Enter(isEnabled())) DoMouseEnter();
}

void TZMPaintBox::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (presence_.Leave(isEnabled())) DoMouseLeave();
}

void TZMPaintBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit Resized(width(), height());
}

}  // namespace zelmora
