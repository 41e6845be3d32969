#pragma once

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "controls/mouse_presence.h"
#include "geometry/palette.h"

namespace zelmora {

// A row of 14 colour cells (palette entries 0..13; red and white are the
// program's own highlight and blink colours and are not offered) with an
// arrow marker above and below the row that slides to the chosen cell.
//
// A choice takes effect at once; the markers then slide there one step of
// `Speed` pixels every `Delay` milliseconds on a timer, so the event loop is
// never blocked. A new choice during a slide redirects the markers from where
// they are, and the newest choice stands.
class TZMColorSelector : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kCellCount = 14;
  // The panel colour of the dialogs (RGB 180, 200, 206), the background the
  // dialog markers are drawn on.
  static constexpr QRgb kPanelColor = 0xFFB4C8CE;

  explicit TZMColorSelector(QWidget* parent = nullptr);

  // Background of the marker strips and of the gaps between cells: the
  // parent's background until set.
  QColor Color() const;
  void SetColor(const QColor& color);
  // Let the parent show through the strips and gaps instead of `Color`.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  // Index 0..13 of the chosen cell; anything else is ignored.
  int ColorNumber() const { return colorNumber_; }
  void SetColorNumber(int index);
  // The chosen colour; a colour that is not one of the 14 cells is ignored.
  zelmora::Color ColorName() const { return colorName_; }
  void SetColorName(zelmora::Color color);

  // Cell size and gap; the control resizes itself to fit.
  int WidthCell() const { return widthCell_; }
  void SetWidthCell(int width);
  int HeightCell() const { return heightCell_; }
  void SetHeightCell(int height);
  int Step() const { return step_; }
  void SetStep(int gap);

  // The markers, drawn opaque above and below the cells.
  const QImage& UpBitmap() const { return upBitmap_; }
  void SetUpBitmap(const QImage& bitmap);
  const QImage& DownBitmap() const { return downBitmap_; }
  void SetDownBitmap(const QImage& bitmap);

  // Pixels per animation step, and milliseconds between steps.
  double Speed() const { return speed_; }
  void SetSpeed(double pixels);
  int Delay() const { return delay_; }
  void SetDelay(int milliseconds);

  // Left edge of the markers, in pixels from the control's left edge.
  double MarkerX() const { return markerX_; }
  // Where the markers rest over cell `index`.
  int MarkerTarget(int index) const;
  QRect CellRect(int index) const;
  // The cell a press at x belongs to (a gap belongs to the cell on its left), or -1.
  int CellAt(int x) const;

  bool Animating() const { return animation_.isActive(); }
  // One animation step now; false once the markers have arrived.
  bool StepAnimation();
  // Puts the markers on their target at once.
  void FinishAnimation();

  // The look every dialog uses: the panel colour and the two 10 x 12 arrow markers.
  void UseDialogLook();
  static QImage DialogUpMarker();
  static QImage DialogDownMarker();

 signals:
  // The chosen cell has changed (by a click or by a setter).
  void Changed(int colorNumber);
  // A press, reported after the choice it made.
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseEnter();
  void MouseLeave();

 protected:
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void UpdateSize();
  void SetMarkerBitmap(QImage& slot, const QImage& bitmap);
  void SlideMarkersTo(int index);
  void RepaintMarkers();
  int LowerStripTop() const;

  std::optional<QColor> color_;
  bool transparent_ = false;
  int delay_ = 5;
  int colorNumber_ = 0;
  zelmora::Color colorName_ = kBlack;
  int heightCell_ = 22;
  int widthCell_ = 22;
  int step_ = 1;
  QImage upBitmap_;
  QImage downBitmap_;
  double speed_ = 5.0;

  double markerX_ = 0.0;
  double markerTarget_ = 0.0;
  QTimer animation_;
  MousePresence presence_;
};

}  // namespace zelmora
