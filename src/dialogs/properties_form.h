#pragma once

#include <QComboBox>
#include <QValidator>

#include "dialogs/dialog_look.h"
#include "interaction/object_properties.h"

class QCheckBox;
class QLineEdit;
class QSlider;

namespace zelmora {

class TZMColorSelector;

// Refuses, as it is typed or pasted, a name the document file cannot hold,
// and remembers why, so the dialog can say it.
class NameValidator : public QValidator {
  Q_OBJECT

 public:
  explicit NameValidator(QObject* parent = nullptr);
  State validate(QString& input, int& position) const override;
  NameProblem LastProblem() const { return lastProblem_; }

 private:
  mutable NameProblem lastProblem_ = NameProblem::kNone;
};

// The line dialog's pen styles: five sample lines instead of words, in the
// list and in the closed box alike.
class PenStyleComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit PenStyleComboBox(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// What tells the three property dialogs apart.
struct PropertiesLayout;

// The dialog showing and changing how one point, line or circle is drawn.
// It works on the object at `index` of `objects` while it is open; Enter and
// Escape do nothing in it, F1 opens its help page.
class TPropertiesForm : public TZMDialog {
  Q_OBJECT

 public:
  QLineEdit* NameEdit() const { return nameEdit_; }
  TZMColorSelector* ColorSelector() const { return colorSelector_; }
  QSlider* WidthSlider() const { return slider_; }
  // nullptr in the point dialog.
  QComboBox* PenStyleList() const { return penStyle_; }
  QCheckBox* VisibleCheckBox() const { return visible_; }
  QCheckBox* MustDrawCheckBox() const { return mustDraw_; }
  // Hidden unless the object is a segment or a ray; nullptr outside the line dialog.
  QCheckBox* EndsOffCheckBox() const { return endsOff_; }
  QLabel* MethodLabel() const { return methodLabel_; }
  // Says why a typed name was refused; hidden while the name is fine.
  QLabel* NameProblemLabel() const { return nameProblem_; }

  // The values the controls hold now.
  ObjectProperties Collected() const;
  // What the last "Согласен" did.
  ApplyResult Result() const { return result_; }

  void Confirm() override;

 protected:
  TPropertiesForm(QWidget* owner, DialogContext context, ObjectList& objects, int index,
                  const PropertiesLayout& layout);
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AddNameRow(QFrame* panel);
  void AddColorAndWidth(QFrame* panel, const PropertiesLayout& layout);
  void AddPenStyle(QFrame* panel, const PropertiesLayout& layout);
  void AddDrawingOptions(QFrame* panel, const PropertiesLayout& layout);
  void AddMethodBox(QFrame* panel, int shift);
  void AddButtons(QFrame* panel, int shift);
  void FormShow();
  void RxSlider1Change(int value);
  void ShowNameProblem(NameProblem problem);

  ObjectList& objects_;
  int index_;
  ApplyResult result_ = ApplyResult::kUnchanged;
  QLineEdit* nameEdit_ = nullptr;
  NameValidator* nameValidator_ = nullptr;
  QLabel* nameProblem_ = nullptr;
  TZMColorSelector* colorSelector_ = nullptr;
  QSlider* slider_ = nullptr;
  QComboBox* penStyle_ = nullptr;
  QCheckBox* visible_ = nullptr;
  QCheckBox* mustDraw_ = nullptr;
  QCheckBox* endsOff_ = nullptr;
  QLabel* methodLabel_ = nullptr;
};

class TPointForm : public TPropertiesForm {
  Q_OBJECT

 public:
  TPointForm(QWidget* owner, DialogContext context, ObjectList& objects, int index);
};

class TLineForm : public TPropertiesForm {
  Q_OBJECT

 public:
  TLineForm(QWidget* owner, DialogContext context, ObjectList& objects, int index);
};

class TCircleForm : public TPropertiesForm {
  Q_OBJECT

 public:
  TCircleForm(QWidget* owner, DialogContext context, ObjectList& objects, int index);
};

// "Свойства объекта": runs the dialog of the object's kind modally. Nothing
// opens for no object, a value object or a hidden one (kNoObject).
ApplyResult RunPropertiesDialog(QWidget* owner, ObjectList& objects, int index,
                                const DialogContext& context);

}  // namespace zelmora
