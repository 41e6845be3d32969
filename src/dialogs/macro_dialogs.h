#pragma once

#include <QValidator>
#include <optional>

#include "dialogs/dialog_look.h"
#include "document/macro_list.h"

class QLineEdit;
class QListWidget;

// The dialogs around macros: the name of a macro, the hint of an argument
// being recorded, and the set-up of the Macros menu.
namespace zelmora {

// Text typed for a macro file or the macro list: ";" would end a field there,
// so it becomes "," as it is typed; characters Windows-1251 lacks are refused.
class MacroTextValidator : public QValidator {
  Q_OBJECT

 public:
  explicit MacroTextValidator(QObject* parent = nullptr) : QValidator(parent) {}
  State validate(QString& input, int& position) const override;
};

// "Имя макроса": the name of a macro being added, saved or renamed. It has
// no cancel button; closing it stores nothing.
class TMNameForm : public TZMDialog {
  Q_OBJECT

 public:
  TMNameForm(QWidget* owner, DialogContext context, const QString& name);
  // The edited name once "Согласен" was pressed.
  const std::optional<QString>& Name() const { return name_; }
  QLineEdit* Edit() const { return edit_; }

 public slots:
  void Confirm() override;

 private:
  QLineEdit* edit_ = nullptr;
  std::optional<QString> name_;
};

// "Подсказка к объекту": the prompt the macro will show for an argument of
// `kind` just chosen. "Отмена" withdraws the argument.
class TMHelpForm : public TZMDialog {
  Q_OBJECT

 public:
  TMHelpForm(QWidget* owner, DialogContext context, int kind);
  const std::optional<QString>& Hint() const { return hint_; }
  QLineEdit* Edit() const { return edit_; }
  // "По умолчанию": the standard prompt of the kind, where there is one.
  void UseDefault();

 public slots:
  void Confirm() override;

 private:
  QLineEdit* edit_ = nullptr;
  int kind_;
  std::optional<QString> hint_;
};

// "Настройка меню макросов": reorder, rename (double click) and delete the
// entries of the macro list. "Отмена" puts the list back as it was on opening.
class TMacroMenuForm : public TZMDialog {
  Q_OBJECT

 public:
  TMacroMenuForm(QWidget* owner, DialogContext context, MacroList& list);
  QListWidget* List() const { return view_; }
  void MoveUp();
  void MoveDown();
  void DeleteSelected();
  void RenameSelected();

  // "Отмена", Escape and the close box: the list as it was on opening.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Exchange(int a, int b);

  MacroList& list_;
  MacroList original_;
  QListWidget* view_ = nullptr;
};

}  // namespace zelmora
