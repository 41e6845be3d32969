#include "dialogs/ins_form.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace zelmora {
namespace {

constexpr int kDecimals = 4;

struct ParameterRow {
  const char* title;
  double initial, minimum, maximum;
};

constexpr ParameterRow kDistanceRow = {"Укажите расстояние", 150, 0, 4096};
constexpr ParameterRow kAngleRow = {"Укажите угол", 45, 0, 360};

constexpr const char* kCaption = "Ввод параметра";
constexpr const char* kHelpPage = "Способы задания";

// Parsing must not take a group separator for part of the number: "1,5"
// in a locale whose decimal point is "." is not fifteen.
QLocale StrictLocale(QLocale locale) {
  locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  return locale;
}

}  // namespace

ParameterSpinEdit::ParameterSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  setAccelerated(false);
}

void ParameterSpinEdit::SetLimits(double minimum, double maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
}

void ParameterSpinEdit::SetValue(double value) {
  lineEdit()->setText(locale().toString(value, 'f', kDecimals));
}

double ParameterSpinEdit::Value() const {
  bool ok = false;
  const double value = StrictLocale(locale()).toDouble(text().trimmed(), &ok);
  return ok ? value : minimum_;
}

void ParameterSpinEdit::stepBy(int steps) {
  SetValue(std::clamp(Value() + steps, minimum_, maximum_));
  selectAll();
}

QAbstractSpinBox::StepEnabled ParameterSpinEdit::stepEnabled() const {
  const double value = Value();
  StepEnabled enabled = StepNone;
  if (value < maximum_) enabled |= StepUpEnabled;
  if (value > minimum_) enabled |= StepDownEnabled;
  return enabled;
}

QValidator::State ParameterSpinEdit::validate(QString& input, int&) const {
  const QString separator = locale().decimalPoint();
  int separators = 0;
  int exponents = 0;
  for (const QChar c : input) {
    if (c.isDigit() && c.unicode() < 128) continue;
    if (c == u'+' || c == u'-') continue;
    if (QString(c) == separator && ++separators == 1) continue;
    if ((c == u'e' || c == u'E') && ++exponents == 1) continue;
    QApplication::beep();
    return QValidator::Invalid;
  }
  return QValidator::Acceptable;
}

TInsForm::TInsForm(QWidget* owner, DialogContext context, ParameterKind kind)
    : TZMDialog(owner, std::move(context)) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(QString::fromUtf8(kCaption));
  SetHelpPage(QString::fromUtf8(kHelpPage));
  SetClientSize(293, 154);
  AddWallpaperBar();
  QFrame* panel = AddShadowedPanel(this, QRect(28, 18, 237, 103));

  const ParameterRow& row = kind == ParameterKind::Angle ? kAngleRow : kDistanceRow;
  title_ = AddTitle(panel, QString::fromUtf8(row.title), QRect(12, 8, 213, 24));
  title_->setObjectName(QStringLiteral("RxLabel1"));

  entry_ = new ParameterSpinEdit(panel);
  entry_->setObjectName(QStringLiteral("RxSpinEdit1"));
  entry_->setGeometry(64, 40, 121, 21);
  entry_->SetLimits(row.minimum, row.maximum);
  entry_->SetValue(row.initial);
  entry_->setFocus();

  AddOkButton(panel, QRect(12, 70, 105, 25))->setObjectName(QStringLiteral("OkButton"));
  AddCancelButton(panel, QRect(124, 70, 105, 25))->setObjectName(QStringLiteral("CancelButton"));
}

QString TInsForm::Title() const {
  return title_->text();
}

void TInsForm::Confirm() {
  parameter_ = entry_->Value();
  TZMDialog::Confirm();
}

}  // namespace zelmora
