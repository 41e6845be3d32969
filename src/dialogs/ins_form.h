#pragma once

#include <QAbstractSpinBox>
#include <optional>

#include "dialogs/dialog_look.h"
#include "interaction/command_table.h"

namespace zelmora {

// A number entry showing four decimals. Typing is free within the accepted
// characters (digits, "+", "-", one decimal separator of the widget's locale,
// one "E" or "e"), so a value beyond the limits stays as typed; only the spin
// buttons and the arrow keys keep within them, in steps of 1.
class ParameterSpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit ParameterSpinEdit(QWidget* parent = nullptr);

  void SetLimits(double minimum, double maximum);
  double Minimum() const { return minimum_; }
  double Maximum() const { return maximum_; }
  // Shows `value` with four decimals.
  void SetValue(double value);
  // The text read as a number; the minimum when it does not read as one.
  double Value() const;

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  double minimum_ = 0;
  double maximum_ = 0;
};

// "Ввод параметра": the distance or angle of a construction that needs one.
class TInsForm : public TZMDialog {
  Q_OBJECT

 public:
  TInsForm(QWidget* owner, DialogContext context, ParameterKind kind);

  // The value when the dialog was confirmed.
  std::optional<double> Parameter() const { return parameter_; }
  ParameterSpinEdit* Entry() const { return entry_; }
  QString Title() const;

 public slots:
  void Confirm() override;

 private:
  ParameterSpinEdit* entry_ = nullptr;
  QLabel* title_ = nullptr;
  std::optional<double> parameter_;
};

}  // namespace zelmora
