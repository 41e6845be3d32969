#include "dialogs/help_form.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

constexpr QRgb kPanelColor = 0xFFB4C8CE;
constexpr int kTextPixelSize = 19;
// Below this the bold type of the strip gets hard to read at a glance.
constexpr int kSmallestTextPixelSize = 12;
constexpr int kPromptFlags = Qt::AlignCenter | Qt::TextWordWrap;

}  // namespace

// A tool window of its parent: above the main window, never above the help
// page that F1 opens in a browser or any other program.
THelpForm::THelpForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
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
  // Fitted when painted: the prompt changes with every mode, and each size
  // tried loads a face of its own.
  font_.reset();
  update();
}

QRect THelpForm::TextArea() {
  return QRect(0, 0, kWidth, kHeight).adjusted(5, 3, -5, -3);
}

QFont THelpForm::PromptFont(const QString& text) {
  QFont font(QStringLiteral("Courier New"));
  font.setBold(true);
  // The shadow is drawn one pixel to the lower right of the text.
  const QRect room = TextArea().adjusted(0, 0, -1, -1);
  for (int size = kTextPixelSize; size > kSmallestTextPixelSize; --size) {
    font.setPixelSize(size);
    const QRect needed = QFontMetrics(font).boundingRect(room, kPromptFlags, text);
    if (room.contains(needed)) return font;
  }
  font.setPixelSize(kSmallestTextPixelSize);
  return font;
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

  if (!font_) font_ = PromptFont(text_);
  painter.setFont(*font_);
  const QRect textArea = TextArea().adjusted(0, 0, -1, -1);
  painter.setPen(Qt::black);
  painter.drawText(textArea.translated(1, 1), kPromptFlags, text_);
  painter.setPen(Qt::white);
  painter.drawText(textArea, kPromptFlags, text_);
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
