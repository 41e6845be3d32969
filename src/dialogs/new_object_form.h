#pragma once

#include <QRect>
#include <QSize>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dialogs/dialog_look.h"
#include "interaction/command_table.h"

class QRadioButton;

namespace zelmora {

// What tells the three new-object dialogs apart.
struct NewObjectLayout {
  const char* caption;  // the window's
  const char* title;    // the title line on the panel
  QSize client;
  QSize panel;
  CommandGroup group;         // its commands, with their places, come from the command table
  QRect textBox;              // the method text, on the panel
  int buttonX, okY, cancelY;  // "Согласен" and "Отмена", on the panel
  // Shown in the text box until a method is chosen; empty: the free method's
  // text from the prompt table.
  const char* openingText;
  bool buttonHints;  // tool tips on the two buttons
};

// A dialog choosing the construction method of the next object: a radio
// button per command of the group, named RadioButton1, 2, ... column by
// column, the method text of the chosen one below them. The first enabled
// command is checked at opening. Enter, "Согласен" or a double-click on a
// method confirms; Escape, "Отмена" or the close box cancels.
class TNewObjectForm : public TZMDialog {
  Q_OBJECT

 public:
  // The command the user last chose (the first enabled one until then).
  Command RequestedMethod() const { return requested_; }
  // The chosen command when the dialog was confirmed.
  std::optional<Command> ChosenMethod() const;
  QLabel* HintLabel() const { return hintLabel_; }
  // Only these commands can be chosen; the others stay greyed.
  void EnableOnly(const CommandSet& enabled);

 protected:
  TNewObjectForm(QWidget* owner, DialogContext context, const NewObjectLayout& layout);
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddChoices(QFrame* panel);
  void AddHintLabel(QFrame* panel);
  void AddButtons(QFrame* panel);
  void FormShow();
  void RadioButton2Click(Command command);
  void ShowMethodText(Command command);

  const NewObjectLayout& layout_;
  std::vector<std::pair<Command, QRadioButton*>> choices_;  // in the order of their numbers
  QLabel* hintLabel_ = nullptr;
  Command requested_ = Command::FreePoint;
  bool showing_ = false;  // checking the free method must not look like a choice
};

}  // namespace zelmora
