#include "dialogs/help_form.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

constexpr QRgb kPanelColor = 0xFFB4C8CE;
constexpr int kTextPixelSize = 19;

}  // namespace

THelpForm::THelpForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      text_(QString::fromUtf8(texts::kStandardPrompt)) {
  setObjectName(QStringLiteral("HelpForm"));
  setFixedSize(kWidth, kHeight);
  // A prompt must not take the keyboard away from the drawing.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
}

void THelpForm::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void THelpForm::SetPosition(int left, int top) {
  move(left, top);
}

void THelpForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = rect();
  painter.fillRect(area, QColor::fromRgb(kPanelColor));
  // Lowered bevel: dark above and left, light below and right.
  painter.setPen(QColor(128, 128, 128));
  painter.drawLine(area.topLeft(), area.topRight());
  painter.drawLine(area.topLeft(), area.bottomLeft());
  painter.setPen(Qt::white);
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  painter.drawLine(area.topRight(), area.bottomRight());

  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(kTextPixelSize);
  font.setBold(true);
  painter.setFont(font);
  const QRect textArea = area.adjusted(4, 2, -4, -2);
  const int flags = Qt::AlignCenter | Qt::TextWordWrap;
  painter.setPen(Qt::black);
  painter.drawText(textArea.translated(1, 1), flags, text_);
  painter.setPen(Qt::white);
  painter.drawText(textArea, flags, text_);
}

void THelpForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // Where the window system can move the window itself (Wayland can only
  // so), let it; otherwise follow the pointer.
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  dragging_ = true;
  grabOffset_ = event->globalPosition().toPoint() - pos();
}

void THelpForm::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  move(event->globalPosition().toPoint() - grabOffset_);
}

void THelpForm::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace zelmora
