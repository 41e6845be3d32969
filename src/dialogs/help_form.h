#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>

namespace zelmora {

// The floating strip in which the prompts of a construction or a macro are
// shown. It stays above the other windows and is moved by dragging any
// point of it; its place is remembered between runs.
class THelpForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 342;
  static constexpr int kHeight = 63;

  explicit THelpForm(QWidget* parent = nullptr);

  QString Text() const { return text_; }
  void SetText(const QString& text);

  // Where the prompt is written, inside the bevel with a clear margin.
  static QRect TextArea();
  // The designed type, or the biggest smaller one in which `text` fits the
  // strip whole: a three-line prompt loses a point of size, not its last line.
  static QFont PromptFont(const QString& text);

  // Screen position of the top-left corner, as the settings keep it.
  int Top() const { return pos().y(); }
  int Left() const { return pos().x(); }
  void SetPosition(int left, int top);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString text_;
  std::optional<QFont> font_;  // fitted to the text when first painted
  bool dragging_ = false;
  QPoint grabOffset_;  // from the window's corner to the pointer
};

}  // namespace zelmora
