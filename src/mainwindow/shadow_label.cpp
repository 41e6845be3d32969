#include "mainwindow/shadow_label.h"

#include <QPainter>

namespace zelmora {

ShadowLabel::ShadowLabel(QWidget* parent) : QLabel(parent) {}

void ShadowLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  const QRect area = contentsRect();
  const int flags = static_cast<int>(alignment()) | Qt::TextSingleLine;
  painter.setPen(Qt::black);
  painter.drawText(area.translated(1, 1), flags, text());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(area, flags, text());
}

}  // namespace zelmora
