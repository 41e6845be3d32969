#pragma once

#include <optional>

#include "dialogs/dialog_look.h"
#include "interaction/annotation_properties.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace zelmora {

class Cp1251PlainTextEdit;
class NameValidator;
class TZMColorSelector;

// "Свойства измерения": name, colour, decimals, units, whether it is drawn.
class TMeasureForm : public TZMDialog {
  Q_OBJECT

 public:
  TMeasureForm(QWidget* owner, DialogContext context, ObjectList& objects, int index);
  QLineEdit* NameEdit() const { return nameEdit_; }
  QSpinBox* DecimalsBox() const { return decimals_; }
  QComboBox* UnitsBox() const { return units_; }
  MeasureProperties Collected() const;
  ApplyResult Result() const { return result_; }
  void Confirm() override;

 private:
  ObjectList& objects_;
  int index_;
  ApplyResult result_ = ApplyResult::kUnchanged;
  QLineEdit* nameEdit_ = nullptr;
  NameValidator* nameValidator_ = nullptr;
  QLabel* problem_ = nullptr;
  TZMColorSelector* colorSelector_ = nullptr;
  QSpinBox* decimals_ = nullptr;
  QComboBox* units_ = nullptr;
  QCheckBox* mustDraw_ = nullptr;
};

// "Свойства текста", and the same dialog for a new text (`index` -1): the
// lines, colour, font size, whether it is drawn.
class TTextForm : public TZMDialog {
  Q_OBJECT

 public:
  TTextForm(QWidget* owner, DialogContext context, ObjectList& objects, int index);
  Cp1251PlainTextEdit* TextEdit() const { return textEdit_; }
  QSpinBox* SizeBox() const { return size_; }
  QLabel* ProblemLabel() const { return problem_; }
  TextProperties Collected() const;
  ApplyResult Result() const { return result_; }
  void Confirm() override;

 private:
  void ShowProblem(TextProblem problem);
  ObjectList& objects_;
  int index_;
  ApplyResult result_ = ApplyResult::kUnchanged;
  Cp1251PlainTextEdit* textEdit_ = nullptr;
  QLabel* problem_ = nullptr;
  TZMColorSelector* colorSelector_ = nullptr;
  QSpinBox* size_ = nullptr;
  QCheckBox* mustDraw_ = nullptr;
};

// Runs the dialog of a measurement or a text modally.
ApplyResult RunAnnotationDialog(QWidget* owner, ObjectList& objects, int index,
                                const DialogContext& context);

// "Новый текст": the lines, colour and size of a text about to be placed.
std::optional<TextProperties> RunNewTextDialog(QWidget* owner, const DialogContext& context);

}  // namespace zelmora
