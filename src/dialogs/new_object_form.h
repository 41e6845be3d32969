#pragma once

#include <QRect>
#include <QSize>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dialogs/dialog_look.h"

class QRadioButton;

namespace zelmora {

// One construction method offered by a new-object dialog.
struct MethodChoice {
  const char* caption;
  int code;  // the construction method, also the radio button's tag
  int x, y;  // on the content panel
};

// What tells the three new-object dialogs apart.
struct NewObjectLayout {
  const char* caption;  // the window's
  const char* title;    // the title line on the panel
  QSize client;
  QSize panel;
  std::span<const MethodChoice> choices;  // the first is the free method, checked at opening
  QRect textBox;                          // the method text, on the panel
  int buttonX, okY, cancelY;              // "Согласен" and "Отмена", on the panel
  // Shown in the text box until a method is chosen; empty: the free method's
  // text from the prompt table.
  const char* openingText;
  bool buttonHints;  // tool tips on the two buttons
  // The text of a method the prompt table does not hold; nullptr: the table's.
  std::string (*methodText)(int code) = nullptr;
};

// A dialog choosing the construction method of the next object: radio
// buttons named RadioButton1, 2, ... in the order of the layout, the method
// text of the chosen one below them. Enter, "Согласен" or a double-click on a
// method confirms; Escape, "Отмена" or the close box cancels.
class TNewObjectForm : public TZMDialog {
  Q_OBJECT

 public:
  // The method the user last chose (the free method until then).
  int RequestedMethod() const { return requestedMethod_; }
  // The chosen method when the dialog was confirmed.
  std::optional<int> ChosenMethod() const;
  QLabel* HintLabel() const { return hintLabel_; }

 protected:
  TNewObjectForm(QWidget* owner, DialogContext context, const NewObjectLayout& layout);
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void RadioButton2Click(int code);
  void ShowMethodText(int code);

  const NewObjectLayout& layout_;
  std::vector<QRadioButton*> radioButtons_;
  QLabel* hintLabel_ = nullptr;
  int requestedMethod_ = 0;
  bool showing_ = false;  // checking the free method must not look like a choice
};

}  // namespace zelmora
