#include "mainwindow/teacher_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zelmora {
namespace {

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

std::vector<std::string> Lines(const QPlainTextEdit* edit) {
  std::vector<std::string> lines;
  for (const QString& line : edit->toPlainText().split(QLatin1Char('\n'))) {
    if (!line.trimmed().isEmpty()) lines.push_back(line.trimmed().toStdString());
  }
  return lines;
}

QSpinBox* BudgetBox() {
  auto* box = new QSpinBox;
  box->setRange(kNoBudget, 999);
  box->setSpecialValueText(Utf8("нет"));
  box->setValue(kNoBudget);
  return box;
}

QDialogButtonBox* ConfirmButtons(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(Utf8("Согласен"), QDialogButtonBox::AcceptRole);
  buttons->addButton(Utf8("Отмена"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

TaskForm::TaskForm(QWidget* owner, const QString& picks,
                   const std::function<std::string(int)>& methodName)
    : QDialog(owner) {
  setObjectName(QStringLiteral("TaskForm"));
  setWindowTitle(Utf8("Создать задачу"));
  title_ = new QLineEdit;
  statement_ = new QPlainTextEdit;
  hints_ = new QPlainTextEdit;
  // Tab moves on through the form, as in its other fields.
  statement_->setTabChangesFocus(true);
  hints_->setTabChangesFocus(true);
  maxSteps_ = BudgetBox();
  maxElementary_ = BudgetBox();
  auto* texts = new QFormLayout;
  texts->addRow(Utf8("Название"), title_);
  texts->addRow(Utf8("Условие"), statement_);
  texts->addRow(Utf8("Подсказки, по одной в строке"), hints_);
  texts->addRow(Utf8("Шагов не больше"), maxSteps_);
  texts->addRow(Utf8("Элементарных построений не больше"), maxElementary_);
  auto* column = new QVBoxLayout(this);
  auto* picked = new QLabel(picks);
  picked->setWordWrap(true);
  column->addWidget(picked);
  column->addLayout(texts);
  column->addWidget(BuildTools(methodName));
  column->addWidget(ConfirmButtons(this));
  AllowOnly(CompassRulerMethods());
}

// One tab per kind: the methods' captions are whole sentences, and three
// columns of them side by side would not fit a school computer's screen.
QWidget* TaskForm::BuildTools(const std::function<std::string(int)>& methodName) {
  auto* tools = new QGroupBox(Utf8("Разрешённые инструменты"));
  auto* row = new QHBoxLayout(tools);
  auto* kinds = new QTabWidget;
  kinds->setObjectName(QStringLiteral("TaskToolTabs"));
  row->addWidget(kinds, 1);
  QVBoxLayout* group = nullptr;
  int kind = kNoKind;
  for (const MethodInfo& method : kMethods) {
    if (method.kind != kind) {
      kind = method.kind;
      auto* page = new QWidget;
      group = new QVBoxLayout(page);
      kinds->addTab(page, Utf8(kind == kPointKind  ? "Точки"
                               : kind == kLineKind ? "Прямые"
                                                   : "Окружности"));
    }
    auto* check = new QCheckBox(QString::fromStdString(methodName(Number(method.code))));
    group->addWidget(check);
    methods_.push_back(check);
  }
  for (int i = 0; i < kinds->count(); ++i) {
    static_cast<QVBoxLayout*>(kinds->widget(i)->layout())->addStretch(1);
  }
  auto* presets = new QVBoxLayout;
  auto* compass = new QPushButton(Utf8("Циркуль и линейка"));
  auto* all = new QPushButton(Utf8("Все инструменты"));
  connect(compass, &QPushButton::clicked, this, [this] { AllowOnly(CompassRulerMethods()); });
  connect(all, &QPushButton::clicked, this, [this] { AllowOnly(AllMethods()); });
  presets->addWidget(compass);
  presets->addWidget(all);
  presets->addStretch(1);
  row->addLayout(presets);
  return tools;
}

void TaskForm::AllowOnly(const std::vector<ConstructionMethod>& methods) {
  for (std::size_t i = 0; i < methods_.size(); ++i) methods_[i]->setChecked(false);
  for (ConstructionMethod method : methods) {
    methods_[static_cast<std::size_t>(method)]->setChecked(true);
  }
}

void TaskForm::FillTexts(Task& task) const {
  task.title = title_->text().trimmed().toStdString();
  task.statement = Lines(statement_);
  task.hints = Lines(hints_);
  task.maxSteps = maxSteps_->value();
  task.maxElementary = maxElementary_->value();
  task.allowed.clear();
  for (std::size_t i = 0; i < methods_.size(); ++i) {
    if (methods_[i]->isChecked()) task.allowed.push_back(kMethods[i].method);
  }
}

namespace {

QString Verdict(const GradedAttempt& graded) {
  if (!graded.error.empty()) return Utf8("ошибка");
  return Utf8(graded.result.solved ? "решена" : "не решена");
}

QString NotBuilt(const Task& task, const CheckResult& result) {
  QStringList names;
  for (std::size_t t = 0; t < result.targets.size() && t < task.targets.size(); ++t) {
    if (result.targets[t] == TargetStatus::kBuilt) continue;
    const QString name = QString::fromStdString(task.construction[task.targets[t]].Name);
    names << (result.targets[t] == TargetStatus::kOnlyHere ? name + Utf8(" (на глаз)") : name);
  }
  return names.join(QStringLiteral(", "));
}

QStringList Row(const Task& task, const GradedAttempt& graded) {
  const CheckResult& r = graded.result;
  QStringList forbidden;
  for (int code : r.forbidden) forbidden << QString::number(code);
  return {QFileInfo(QString::fromStdString(graded.file)).fileName(),
          Verdict(graded),
          QString::number(r.steps),
          QString::number(r.elementary),
          NotBuilt(task, r),
          forbidden.join(QLatin1Char(' ')),
          QString::fromStdString(graded.error)};
}

}  // namespace

GradesForm::GradesForm(QWidget* owner, const Task& task, std::vector<GradedAttempt> grades,
                       std::function<void(const std::string& csv)> saveCsv)
    : QDialog(owner) {
  setObjectName(QStringLiteral("GradesForm"));
  setWindowTitle(Utf8("Проверка работ: ") + QString::fromStdString(task.title));
  const QStringList headers = {Utf8("Файл"),  Utf8("Итог"),         Utf8("Шаги"),
                               Utf8("Элем."), Utf8("Не построено"), Utf8("Запрещено"),
                               Utf8("Ошибка")};
  table_ = new QTableWidget(static_cast<int>(grades.size()), static_cast<int>(headers.size()));
  table_->setHorizontalHeaderLabels(headers);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (std::size_t i = 0; i < grades.size(); ++i) {
    const QStringList row = Row(task, grades[i]);
    for (int c = 0; c < row.size(); ++c) {
      auto* item = new QTableWidgetItem(row[c]);
      // A long reason is cut in its cell; the whole of it shows on hover.
      item->setToolTip(row[c]);
      table_->setItem(static_cast<int>(i), c, item);
    }
  }
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->resizeColumnsToContents();
  auto* buttons = new QDialogButtonBox;
  QPushButton* csv = buttons->addButton(Utf8("Сохранить CSV…"), QDialogButtonBox::ActionRole);
  csv->setObjectName(QStringLiteral("SaveCsvButton"));
  buttons->addButton(Utf8("Закрыть"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  const std::string text = GradesCsv(task, grades);
  connect(csv, &QPushButton::clicked, this, [saveCsv, text] { saveCsv(text); });
  auto* column = new QVBoxLayout(this);
  column->addWidget(table_);
  column->addWidget(buttons);
  resize(720, 400);
}

}  // namespace zelmora
