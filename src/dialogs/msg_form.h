#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "dialogs/dialog_look.h"

class QLabel;
class QToolButton;

namespace zelmora {

// The window through which every part of the program reports a numbered
// error: a title, the reason, and "Понял".
class TMsgForm : public TZMDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 322;
  static constexpr int kHeight = 168;

  TMsgForm(QWidget* owner, const QString& text);

  QString Text() const;
  QToolButton* CloseButton() const { return closeButton_; }

 private:
  QLabel* text_ = nullptr;
  QToolButton* closeButton_ = nullptr;
};

// The text of error message `number` from the message table in
// `programFolder`; "Error" when the table has no such entry, nullopt when the
// table itself cannot be read.
std::optional<QString> ErrorMessageText(const QString& programFolder, int number);

// The window that reports error `number`: a TMsgForm with the table's text,
// or, when the table cannot be read, a plain message saying so — a broken
// installation must not take the program down with it.
std::unique_ptr<QDialog> MakeErrorWindow(QWidget* owner, int number, const QString& programFolder);

// Shows error `number` and returns once the user has dismissed it.
void ShowError(QWidget* owner, int number, const QString& programFolder);

}  // namespace zelmora
