#pragma once

#include <QFrame>
#include <QString>

class QToolButton;

namespace zelmora {

class ShadowTextLabel;

// What the bottom of the main window shows. The numbers are those the help
// and the recorded-state code use.
enum class PanelMode {
  Status = 0,          // the status bar
  Export = 1,          // choosing the rectangle to export
  MacroArguments = 5,  // choosing a macro's arguments
  MacroResults = 6,    // choosing a macro's results
  TaskGivens = 7,      // choosing a new task's givens
  TaskTargets = 8,     // choosing what the task asks to build
};

// The bar that replaces the status bar while the user chooses something on
// the drawing: "Отмена" on the left, a prompt in the middle and one action
// button on the right.
class SelectionPanel : public QFrame {
  Q_OBJECT

 public:
  explicit SelectionPanel(QWidget* parent = nullptr);

  QString Prompt() const;
  void SetPrompt(const QString& text);
  QString ActionCaption() const;
  QToolButton* CancelButton() const { return cancel_; }
  QToolButton* ActionButton() const { return action_; }

 signals:
  void CancelClicked();
  void ActionClicked();

 private:
  friend void PreparePanels(PanelMode mode, QWidget& statusBar, SelectionPanel& panel);

  QToolButton* cancel_ = nullptr;      // RxSpeedButton6
  ShadowTextLabel* prompt_ = nullptr;  // RxLabel1
  QToolButton* action_ = nullptr;      // RxSpeedButton8
};

// Shows exactly one of the status bar and the selection panel, and gives the
// panel the prompt and the action of `mode`. The export and the arguments of
// a macro also put the pack's confirm and cancel images on the buttons; the
// results change only the texts, as they follow the arguments.
void PreparePanels(PanelMode mode, QWidget& statusBar, SelectionPanel& panel);

}  // namespace zelmora
