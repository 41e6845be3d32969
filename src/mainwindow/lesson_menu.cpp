#include "mainwindow/lesson_menu.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_look.h"
#include "document/document_file.h"
#include "document/file_replace.h"
#include "document/macro_file.h"
#include "interaction/command_table.h"
#include "lessons/attempt_rules.h"
#include "lessons/grading.h"
#include "lessons/macro_tools.h"
#include "lessons/task_checker.h"
#include "lessons/task_file.h"
#include "lessons/task_making.h"
#include "mainwindow/selection_panel.h"
#include "mainwindow/teacher_dialogs.h"

namespace zelmora {
namespace {

constexpr const char* kOpenItem = "Открыть задачу…";
constexpr const char* kCheckItem = "Проверить";
constexpr const char* kHintItem = "Подсказка";
constexpr const char* kRestartItem = "Начать заново";
constexpr const char* kCloseItem = "Закрыть задачу";
constexpr const char* kCreateItem = "Создать задачу…";
constexpr const char* kGradeItem = "Проверить работы…";
constexpr const char* kPanelTitle = "Задача";
constexpr const char* kProtocolButton = "Протокол построения";
constexpr const char* kUnreadableTask = "Не удаётся прочитать файл задачи";
constexpr const char* kNoMoreHints = "Больше подсказок нет.";
constexpr const char* kRestartQuestion = "Стереть всё построенное и начать задачу заново?";
constexpr const char* kAttention = "Внимание!";
constexpr const char* kContinueQuestion = "Продолжить решение, сохранённое в файле «%1»?";
constexpr const char* kNotMade = "Задачу не удалось создать: %1";
constexpr const char* kNotDependent =
    "«%1» зависит не только от данных: построение опирается на «%2», положение которого выбрано "
    "произвольно. "
    "Отметьте «%2» как данное или постройте «%1» иначе.";
constexpr const char* kGivenNotTarget =
    "«%1» входит в данные задачи (или данные построены на нём) и не может быть тем, что нужно "
    "построить.";
constexpr const char* kGivensBackAction = "данные на место";
constexpr const char* kGivensBack =
    "Данные возвращены на места, где их дала задача: так работу примет проверка учителя.";
constexpr const char* kPicksSummary = "Данные: %1. Построить: %2.";
constexpr const char* kSaveTaskTitle = "Сохранить задачу";
constexpr const char* kTaskFilter = "Задача Zelmora (*.zmt)";
constexpr const char* kWorksTitle = "Папка с работами учеников";
constexpr const char* kSaveCsvTitle = "Сохранить таблицу";
constexpr const char* kCsvFilter = "Таблица CSV (*.csv)";
constexpr const char* kNotAnAttempt = "Файл «%1» — не решение этой задачи.";

QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

QString Lines(const std::vector<std::string>& lines) {
  QStringList joined;
  for (const std::string& line : lines) joined << Utf8(line);
  return joined.join(QLatin1Char('\n'));
}

QString Budget(int used, int budget) {
  QString text = QString::number(used);
  if (budget != kNoBudget) text += QStringLiteral(" из %1").arg(budget);
  return text;
}

// The commands of the lesson: those that may end in a method the task allows.
CommandSet CommandsOf(const Task& task) {
  CommandSet commands;
  for (const CommandInfo& command : kCommands) {
    for (MethodCode code : command.candidates) {
      // The crossing picked circle first is stored as the line-circle crossing.
      const MethodInfo* method = FindMethod(
          code == kCircleFirstCrossing ? CodeOf(ConstructionMethod::LineCircleFirst) : code);
      if (method != nullptr && task.Allows(method->method)) commands.Add(command.command);
    }
  }
  return commands;
}

// The task's givens alone, ready to take the place of the drawing.
void GivensOf(const Task& task, ObjectList& givens) {
  DocumentInfo info;
  ReadPlane(WritePlane(task.construction, {}), givens, info);
  for (std::size_t i = givens.size(); i-- > task.givenCount;) {
    if (i < givens.size()) givens.DeleteWithDescendants(i);
  }
}

QString Name(const ObjectList& drawing, int index) {
  const TGObject* object = drawing.at(index);
  return object == nullptr ? QString::number(index) : Utf8(object->Name);
}

// Why a task cannot be made of the teacher's picks, in the teacher's words.
QString RefusalText(const ObjectList& drawing, const MakeTaskResult& made) {
  if (made.notDependent < 0) return QString::fromUtf8(kNotMade).arg(Utf8(made.error));
  if (made.restsOn < 0)
    return QString::fromUtf8(kGivenNotTarget).arg(Name(drawing, made.notDependent));
  return QString::fromUtf8(kNotDependent)
      .arg(Name(drawing, made.notDependent), Name(drawing, made.restsOn));
}

QString PicksSummary(const ObjectList& drawing, const TaskPicks& picks) {
  auto names = [&](const std::vector<int>& indices) {
    QStringList list;
    for (int index : indices) list << Name(drawing, index);
    return list.join(QStringLiteral(", "));
  };
  return QString::fromUtf8(kPicksSummary).arg(names(picks.givens), names(picks.targets));
}

}  // namespace

LessonMenu::LessonMenu(Parts parts) : parts_(std::move(parts)) {
  QMenu* menu = parts_.menu;
  auto item = [&](const char* name, const char* caption, void (LessonMenu::*slot)()) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  item("LessonOpen", kOpenItem, &LessonMenu::ChooseTask);
  check_ = item("LessonCheck", kCheckItem, &LessonMenu::Check);
  check_->setShortcut(QKeySequence(Qt::Key_F9));
  hint_ = item("LessonHint", kHintItem, &LessonMenu::ShowHint);
  restart_ = item("LessonRestart", kRestartItem, &LessonMenu::Restart);
  menu->addSeparator();
  close_ = item("LessonClose", kCloseItem, &LessonMenu::CloseTask);
  menu->addSeparator();
  item("LessonCreate", kCreateItem, &LessonMenu::CreateTask);
  item("LessonGrade", kGradeItem, &LessonMenu::GradeWorks);
  // The panel comes with the first task: laying out its wrapped texts is a
  // good part of the window's start, and most sessions open no task.
  UpdateItems();
}

LessonMenu::~LessonMenu() = default;

void LessonMenu::BuildPanel() {
  panel_ = new QDockWidget(QString::fromUtf8(kPanelTitle), parts_.window);
  panel_->setObjectName(QStringLiteral("LessonPanel"));
  panel_->setFeatures(QDockWidget::NoDockWidgetFeatures);
  auto* body = new QWidget;
  auto* column = new QVBoxLayout(body);
  for (QLabel** label : {&title_, &statement_, &steps_, &result_, &hints_}) {
    *label = new QLabel;
    (*label)->setWordWrap(true);
    (*label)->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(*label);
  }
  title_->setStyleSheet(QStringLiteral("font-weight: bold"));
  result_->setObjectName(QStringLiteral("LessonResult"));
  // How the pupil built it, step by step, beside the verdict.
  protocol_ = new QPushButton(QString::fromUtf8(kProtocolButton));
  protocol_->setObjectName(QStringLiteral("LessonProtocol"));
  protocol_->hide();
  connect(protocol_, &QPushButton::clicked, this, [this] {
    if (parts_.showProtocol) parts_.showProtocol();
  });
  column->addWidget(protocol_);
  column->addStretch(1);
  body->setMinimumWidth(240);
  panel_->setWidget(body);
  parts_.window->addDockWidget(Qt::RightDockWidgetArea, panel_);
  panel_->hide();
}

void LessonMenu::UpdateItems() {
  for (QAction* action : {check_, hint_, restart_, close_}) action->setEnabled(task_ != nullptr);
  if (panel_ != nullptr) panel_->setVisible(task_ != nullptr);
}

void LessonMenu::ChooseTask() {
  const QString folder = ProgramSubfolder(parts_.programFolder, QStringLiteral("Tasks"));
  if (const auto path = parts_.prompts->AskTaskPath(parts_.window, folder)) OpenTask(*path);
}

bool LessonMenu::OpenTask(const QString& path) {
  auto task = std::make_unique<Task>();
  const TaskLoadResult loaded = LoadTask(QFile::encodeName(path).toStdString(), *task);
  if (!loaded.ok) {
    parts_.prompts->Inform(parts_.window,
                           QString::fromUtf8(kUnreadableTask) +
                               QStringLiteral(" %1: %2").arg(path, Utf8(loaded.detail)));
    return false;
  }
  if (!parts_.session->New()) return false;
  task_ = std::move(task);
  taskPath_ = path;
  hintsShown_ = 0;
  if (panel_ == nullptr) BuildPanel();
  title_->setText(Utf8(task_->title));
  statement_->setText(Lines(task_->statement));
  result_->clear();
  protocol_->hide();
  hints_->clear();
  StartAttempt();
  OfferToContinue();
  return true;
}

QString LessonMenu::UserSubfolder(const char* name) const {
  const QString user = parts_.userFolder ? parts_.userFolder() : parts_.programFolder;
  return ProgramSubfolder(user, QString::fromLatin1(name));
}

QString LessonMenu::AttemptPath() const {
  if (task_ == nullptr) return {};
  return QDir(UserSubfolder("Saves"))
      .filePath(QFileInfo(taskPath_).completeBaseName() + QStringLiteral(".zms"));
}

// The attempt saved last time, when there is one and the pupil wants it.
void LessonMenu::OfferToContinue() {
  const QString path = AttemptPath();
  if (path.isEmpty() || !QFileInfo(path).isFile()) return;
  const QString name = QFileInfo(path).fileName();
  if (!parts_.prompts->AskYesNo(parts_.window, QString::fromUtf8(kAttention),
                                QString::fromUtf8(kContinueQuestion).arg(name))) {
    return;
  }
  using Outcome = DocumentSession::LoadOutcome;
  if (parts_.session->LoadPlane(QFile::encodeName(path).toStdString()) != Outcome::Loaded) return;
  if (!GivensMismatch(*task_, parts_.editor->Objects(), false).empty()) {
    parts_.prompts->Inform(parts_.window, QString::fromUtf8(kNotAnAttempt).arg(name));
    parts_.session->New();
    StartAttempt();
  }
  DrawingChanged();
}

void LessonMenu::StartAttempt() {
  Editor& editor = *parts_.editor;
  ObjectList givens;
  givens.defaults = editor.Objects().defaults;
  GivensOf(*task_, givens);
  editor.ClearDrawing();
  editor.Objects().Swap(givens);
  editor.SetEnabledCommands(CommandsOf(*task_));
  editor.KeepFirstObjects(task_->givenCount);
  if (parts_.offerMacros) {
    parts_.offerMacros([this](const std::string& path) {
      const auto bytes = ReadMacroFileBytes(path);
      return task_ != nullptr && bytes && TaskAllowsMacro(*task_, *bytes);
    });
  }
  // The givens alone are no work of the pupil's that could be lost.
  editor.Objects().ClearModified();
  editor.ResetHistory();
  editor.Repaint();
  UpdateItems();
  DrawingChanged();
}

void LessonMenu::Check() {
  if (task_ == nullptr) return;
  ObjectList attempt;
  DocumentInfo info;
  ReadPlane(WritePlane(parts_.editor->Objects(), {}), attempt, info);
  // The pupil may have dragged the givens to test the construction.
  CheckOptions options;
  options.givensInPlace = false;
  const CheckResult result = CheckAttempt(*task_, attempt, options);
  result_->setText(Lines(DescribeResult(*task_, result, parts_.methodName)));
  protocol_->setVisible(static_cast<bool>(parts_.showProtocol));
}

void LessonMenu::ShowHint() {
  if (task_ == nullptr) return;
  if (hintsShown_ == task_->hints.size()) {
    parts_.prompts->Inform(parts_.window, QString::fromUtf8(kNoMoreHints));
    return;
  }
  ++hintsShown_;
  QStringList shown;
  for (std::size_t i = 0; i < hintsShown_; ++i) {
    shown << QStringLiteral("Подсказка %1: %2").arg(i + 1).arg(Utf8(task_->hints[i]));
  }
  hints_->setText(shown.join(QLatin1Char('\n')));
}

void LessonMenu::Restart() {
  if (task_ == nullptr) return;
  if (!parts_.prompts->AskYesNo(parts_.window, QString::fromUtf8(kAttention),
                                QString::fromUtf8(kRestartQuestion))) {
    return;
  }
  result_->clear();
  protocol_->hide();
  StartAttempt();
}

void LessonMenu::CloseTask() {
  task_.reset();
  parts_.editor->SetEnabledCommands(CommandSet::All());
  parts_.editor->KeepFirstObjects(0);
  if (parts_.offerMacros) parts_.offerMacros(nullptr);
  UpdateItems();
}

void LessonMenu::PutGivensInPlace() {
  if (task_ == nullptr || !zelmora::PutGivensInPlace(*task_, parts_.editor->Objects())) return;
  parts_.editor->CommitAction(kGivensBackAction);
  parts_.editor->Repaint();
  // Said beside the last verdict, which still holds: the construction followed.
  const QString note = QString::fromUtf8(kGivensBack);
  if (!result_->text().endsWith(note)) {
    result_->setText(result_->text().isEmpty() ? note
                                               : result_->text() + QStringLiteral("\n") + note);
  }
}

void LessonMenu::DrawingChanged() {
  if (task_ == nullptr || parts_.editor->Objects().size() < task_->givenCount) return;
  CheckResult counted;
  CountSteps(*task_, parts_.editor->Objects(), counted);
  steps_->setText(QStringLiteral("Шагов: %1, элементарных построений: %2")
                      .arg(Budget(counted.steps, task_->maxSteps),
                           Budget(counted.elementary, task_->maxElementary)));
}

void LessonMenu::CreateTask() {
  parts_.editor->StartTaskPicking(*this);
}

void LessonMenu::ShowTaskPickBar(TaskPickPhase phase, const std::string& prompt) {
  if (parts_.statusBar == nullptr || parts_.panel == nullptr) return;
  PreparePanels(phase == TaskPickPhase::Givens ? PanelMode::TaskGivens : PanelMode::TaskTargets,
                *parts_.statusBar, *parts_.panel);
  parts_.panel->SetPrompt(Utf8(prompt));
}

void LessonMenu::HideTaskPickBar() {
  if (parts_.statusBar == nullptr || parts_.panel == nullptr) return;
  PreparePanels(PanelMode::Status, *parts_.statusBar, *parts_.panel);
}

std::optional<TaskPickPhase> LessonMenu::RefusePicks(const TaskPicks& picks) {
  Task task;
  const MakeTaskResult made = MakeTask(parts_.editor->Objects(), picks.givens, picks.targets, task);
  if (made.ok) return std::nullopt;
  parts_.prompts->Inform(parts_.window, RefusalText(parts_.editor->Objects(), made));
  // The object the target rests on is to be picked among the givens.
  return made.restsOn >= 0 ? TaskPickPhase::Givens : TaskPickPhase::Targets;
}

// The picks are checked already; the form keeps what the teacher typed
// until the task is saved or the form is closed.
void LessonMenu::TaskPicked(const TaskPicks& picks) {
  const ObjectList& drawing = parts_.editor->Objects();
  TaskForm form(parts_.window, PicksSummary(drawing, picks), parts_.methodName);
  while (parts_.prompts->RunDialog(form) == QDialog::Accepted) {
    Task task;
    form.FillTexts(task);
    const MakeTaskResult made = MakeTask(drawing, picks.givens, picks.targets, task);
    if (!made.ok) return parts_.prompts->Inform(parts_.window, RefusalText(drawing, made));
    const auto path =
        parts_.prompts->AskFile(parts_.window, QString::fromUtf8(kSaveTaskTitle),
                                UserSubfolder("Tasks"), QString::fromUtf8(kTaskFilter), true);
    if (!path) continue;
    const SaveResult saved = SaveTask(QFile::encodeName(*path).toStdString(), task);
    if (saved.ok) return;
    parts_.prompts->Inform(parts_.window, Utf8(saved.error));
  }
}

void LessonMenu::GradeWorks() {
  const auto taskPath = parts_.prompts->AskTaskPath(parts_.window, UserSubfolder("Tasks"));
  if (!taskPath) return;
  Task task;
  const TaskLoadResult loaded = LoadTask(QFile::encodeName(*taskPath).toStdString(), task);
  if (!loaded.ok) {
    parts_.prompts->Inform(parts_.window,
                           QString::fromUtf8(kUnreadableTask) +
                               QStringLiteral(" %1: %2").arg(*taskPath, Utf8(loaded.detail)));
    return;
  }
  const auto folder = parts_.prompts->AskFolder(parts_.window, QString::fromUtf8(kWorksTitle),
                                                UserSubfolder("Saves"));
  if (!folder) return;
  std::vector<GradedAttempt> grades;
  const QDir works(*folder);
  for (const QString& name : works.entryList({QStringLiteral("*.zms")}, QDir::Files, QDir::Name)) {
    grades.push_back(GradeFile(task, QFile::encodeName(works.filePath(name)).toStdString()));
  }
  GradesForm form(parts_.window, task, std::move(grades),
                  [this](const std::string& csv) { SaveCsv(csv); });
  parts_.prompts->RunDialog(form);
}

void LessonMenu::SaveCsv(const std::string& csv) {
  const auto path =
      parts_.prompts->AskFile(parts_.window, QString::fromUtf8(kSaveCsvTitle),
                              UserSubfolder("Saves"), QString::fromUtf8(kCsvFilter), true);
  if (!path) return;
  const SaveResult saved = ReplaceFileContents(QFile::encodeName(*path).toStdString(), csv);
  if (!saved.ok) parts_.prompts->Inform(parts_.window, Utf8(saved.error));
}

QString LessonMenu::ResultText() const {
  return result_ != nullptr ? result_->text() : QString();
}

}  // namespace zelmora
