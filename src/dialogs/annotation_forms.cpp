#include "dialogs/annotation_forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "controls/zm_color_selector.h"
#include "dialogs/cp1251_input.h"
#include "dialogs/properties_form.h"
#include "geometry/utf8.h"

namespace zelmora {
namespace {

constexpr int kClientWidth = 457;
constexpr QPoint kPanelAt(32, 32);
constexpr int kPanelWidth = 385;
constexpr const char* kHelpPage = "Свойства объекта";
constexpr const char* kFieldsHint = "Измерения в скобках: {m1}, {m1+m2+m3}";

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

void AddRowTitle(QWidget* panel, const char* text, int y, int width) {
  AddTitle(panel, Utf8(text), QRect(6, y, width, 22))
      ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QLabel* AddProblemLabel(QWidget* panel, const QRect& geometry) {
  auto* label = new QLabel(panel);
  label->setObjectName(QStringLiteral("ProblemLabel"));
  label->setGeometry(geometry);
  label->setWordWrap(true);
  QPalette warning = label->palette();
  warning.setColor(QPalette::WindowText, QColor(128, 0, 0));
  label->setPalette(warning);
  label->hide();
  return label;
}

TZMColorSelector* AddColorRow(QWidget* panel, int y, zelmora::Color color) {
  AddRowTitle(panel, "Цвет", y + 16, 50);
  auto* selector = new TZMColorSelector(panel);
  selector->setObjectName(QStringLiteral("ZMColorSelector1"));
  selector->UseDialogLook();
  selector->move(56, y);
  selector->SetColorName(color);
  selector->FinishAnimation();
  return selector;
}

QSpinBox* AddSpinRow(QWidget* panel, const char* title, int y, int min, int max, int value) {
  AddRowTitle(panel, title, y, 240);
  auto* box = new QSpinBox(panel);
  box->setGeometry(250, y, 60, 22);
  box->setRange(min, max);
  box->setValue(value);
  return box;
}

QCheckBox* AddDrawnBox(QWidget* panel, const char* caption, int y, bool checked) {
  auto* box = new QCheckBox(Utf8(caption), panel);
  box->setObjectName(QStringLiteral("MustDrawCheckBox"));
  box->setGeometry(8, y, 240, 20);
  box->setChecked(checked);
  return box;
}

// The wallpaper, the panel and the two buttons every property dialog has.
QFrame* FrameDialog(TZMDialog& dialog, const char* caption, int panelHeight) {
  dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                        Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  dialog.setWindowTitle(Utf8(caption));
  dialog.SetHelpPage(Utf8(kHelpPage));
  return AddShadowedPanel(&dialog, QRect(kPanelAt, QSize(kPanelWidth, panelHeight)));
}

}  // namespace

TMeasureForm::TMeasureForm(QWidget* owner, DialogContext context, ObjectList& objects, int index)
    : TZMDialog(owner, std::move(context)), objects_(objects), index_(index) {
  const auto& measure = static_cast<const TGMeasure&>(objects_[static_cast<std::size_t>(index)]);
  const MeasureProperties shown = MeasureShown(measure);
  SetClientSize(kClientWidth, 330);
  AddWallpaperBar();
  QFrame* panel = FrameDialog(*this, "Свойства измерения", 258);
  AddRowTitle(panel, "Имя", 8, 56);
  nameEdit_ = new QLineEdit(QString::fromStdString(shown.name), panel);
  nameEdit_->setObjectName(QStringLiteral("NameEdit"));
  nameEdit_->setGeometry(64, 8, 121, 22);
  nameEdit_->setMaxLength(static_cast<int>(kMaxNameLength));
  nameValidator_ = new NameValidator(nameEdit_);
  nameEdit_->setValidator(nameValidator_);
  problem_ = AddProblemLabel(panel, QRect(190, 2, kPanelWidth - 194, 30));
  connect(nameEdit_, &QLineEdit::inputRejected, this, [this] {
    QApplication::beep();
    problem_->setText(QString::fromStdString(NameProblemText(nameValidator_->LastProblem())));
    problem_->show();
  });
  colorSelector_ = AddColorRow(panel, 32, shown.color);
  decimals_ = AddSpinRow(panel, "Знаков после запятой", 88, 0, 3, shown.decimals);
  AddRowTitle(panel, "Единицы", 120, 120);
  units_ = new QComboBox(panel);
  units_->setGeometry(130, 120, 180, 22);
  units_->addItems({Utf8("сантиметры"), Utf8("единицы плоскости")});
  units_->setCurrentIndex(shown.centimetres ? 0 : 1);
  units_->setEnabled(!measure.IsAngle());
  mustDraw_ = AddDrawnBox(panel, "Рисовать измерение", 156, shown.mustDraw);
  auto* caption = new QLabel(QString::fromStdString(measure.Caption(96 / 2.54)), panel);
  caption->setGeometry(8, 186, 250, 22);
  AddOkButton(panel, QRect(272, 186, 105, 25));
  AddCancelButton(panel, QRect(272, 222, 105, 25));
  nameEdit_->setFocus();
}

MeasureProperties TMeasureForm::Collected() const {
  return {nameEdit_->text().toStdString(), colorSelector_->ColorName(), decimals_->value(),
          units_->currentIndex() == 0, mustDraw_->isChecked()};
}

void TMeasureForm::Confirm() {
  result_ = ApplyMeasureProperties(objects_, index_, Collected());
  if (result_ == ApplyResult::kNameRefused) {
    problem_->setText(
        QString::fromStdString(NameProblemText(CheckName(nameEdit_->text().toStdString()))));
    problem_->show();
    return;
  }
  TZMDialog::Confirm();
}

TTextForm::TTextForm(QWidget* owner, DialogContext context, ObjectList& objects, int index)
    : TZMDialog(owner, std::move(context)), objects_(objects), index_(index) {
  const TGObject* object = objects_.at(index);
  const TextProperties shown = object != nullptr && object->Kind() == kTextKind
                                   ? TextShown(static_cast<const TGText&>(*object))
                                   : TextProperties{};
  SetEnterConfirms(false);  // Enter starts a new line
  SetClientSize(kClientWidth, 400);
  AddWallpaperBar();
  QFrame* panel = FrameDialog(*this, index < 0 ? "Новый текст" : "Свойства текста", 328);
  AddRowTitle(panel, "Текст", 8, 80);
  textEdit_ = new Cp1251PlainTextEdit(panel);
  textEdit_->setObjectName(QStringLiteral("TextEdit"));
  textEdit_->setGeometry(8, 32, kPanelWidth - 16, 100);
  textEdit_->setPlainText(QString::fromStdString(shown.text));
  auto* hint = new QLabel(Utf8(kFieldsHint), panel);
  hint->setGeometry(8, 134, kPanelWidth - 16, 20);
  problem_ = AddProblemLabel(panel, QRect(90, 6, kPanelWidth - 98, 24));
  connect(textEdit_, &Cp1251PlainTextEdit::Refused, this,
          [this] { ShowProblem(TextProblem::kOutsideCharset); });
  connect(textEdit_, &QPlainTextEdit::textChanged, problem_, &QWidget::hide);
  colorSelector_ = AddColorRow(panel, 156, shown.color);
  size_ = AddSpinRow(panel, "Размер шрифта", 212, kMinTextSize, kMaxTextSize, shown.fontSize);
  mustDraw_ = AddDrawnBox(panel, "Рисовать текст", 248, shown.mustDraw);
  AddOkButton(panel, QRect(272, 248, 105, 25));
  AddCancelButton(panel, QRect(272, 288, 105, 25));
  textEdit_->setFocus();
}

TextProperties TTextForm::Collected() const {
  return {colorSelector_->ColorName(), size_->value(), textEdit_->toPlainText().toStdString(),
          mustDraw_->isChecked()};
}

void TTextForm::ShowProblem(TextProblem problem) {
  problem_->setText(QString::fromStdString(TextProblemText(problem)));
  problem_->show();
}

void TTextForm::Confirm() {
  const TextProblem problem = CheckText(textEdit_->toPlainText().toStdString());
  if (problem != TextProblem::kNone) {
    QApplication::beep();
    ShowProblem(problem);
    return;
  }
  if (index_ >= 0) result_ = ApplyTextProperties(objects_, index_, Collected());
  TZMDialog::Confirm();
}

ApplyResult RunAnnotationDialog(QWidget* owner, ObjectList& objects, int index,
                                const DialogContext& context) {
  if (objects.at(index) == nullptr) return ApplyResult::kNoObject;
  if (objects.at(index)->Kind() == kMeasureKind) {
    TMeasureForm form(owner, context, objects, index);
    if (context.RunModal(form) != QDialog::Accepted) return ApplyResult::kUnchanged;
    return form.Result();
  }
  TTextForm form(owner, context, objects, index);
  if (context.RunModal(form) != QDialog::Accepted) return ApplyResult::kUnchanged;
  return form.Result();
}

std::optional<TextProperties> RunNewTextDialog(QWidget* owner, const DialogContext& context) {
  ObjectList none;
  TTextForm form(owner, context, none, -1);
  if (context.RunModal(form) != QDialog::Accepted) return std::nullopt;
  return form.Collected();
}

}  // namespace zelmora
