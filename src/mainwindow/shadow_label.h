#pragma once

#include <QLabel>

namespace zelmora {

// A label whose text has a black shadow one pixel down and right, so white
// text stays readable on any background.
class ShadowLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ShadowLabel(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zelmora
