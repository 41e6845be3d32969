#pragma once

#include <QImage>
#include <QWidget>

namespace zelmora {

// The picture shown while the main window is being built: borderless, above
// every other window, centred on the screen.
class TSplForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 450;
  static constexpr int kHeight = 320;

  explicit TSplForm(QWidget* parent = nullptr);

  // Shows the window and paints it at once: the event loop does not run
  // until the main window is ready.
  void ShowNow();

  // The picture: the program's title over a compass-and-ruler construction.
  static QImage Picture();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace zelmora
