#pragma once

#include <functional>

#include <QWidget>

#include "controls/mouse_presence.h"
#include "interaction/editor.h"

class QImage;
class QPainter;

namespace zelmora {

// The drawing surface: a control the program paints itself. It never erases
// its background (the whole picture is copied over it on every paint, so an
// erase would only flicker), reports the mouse in surface pixels with the
// button and modifier state the editor understands, and says when the pointer
// enters and leaves. While a button is held the surface keeps the mouse:
// moves and the release outside it still arrive here, with coordinates
// outside 0..width, 0..height.
class TZMPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit TZMPaintBox(QWidget* parent = nullptr);

  // Where the picture copied to the surface at (0, 0) comes from, asked on
  // every paint: a picture still being finished is finished for it. The
  // caller keeps the picture alive. Whatever it does not cover is painted
  // white; no source, or one giving nullptr, paints the whole surface white.
  using PictureSource = std::function<const QImage*()>;
  void SetPicture(PictureSource source);

  // Puts the screen cursor on the surface position (x, y).
  void MoveCursorTo(int x, int y);

  bool MouseInside() const { return presence_.Inside(); }

 signals:
  // After the picture has been copied: the owner may paint over it.
  void Paint(QPainter& painter);
  void MouseDown(zelmora::MouseButton button, zelmora::Modifiers modifiers, int x, int y);
  void MouseMove(zelmora::Modifiers modifiers, int x, int y);
  void MouseUp(zelmora::MouseButton button, zelmora::Modifiers modifiers, int x, int y);
  void MouseEnter();
  void MouseLeave();
  void Resized(int width, int height);

 protected:
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  PictureSource picture_;
  MousePresence presence_;
};

}  // namespace zelmora
