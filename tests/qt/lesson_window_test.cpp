// The lesson menu of the real main window: a task opened from the menu or
// the command line restricts the tools, keeps its givens and answers
// "Проверить" on the task panel.
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "dialogs/protocol_form.h"
#include "geometry/tg_circle.h"
#include "geometry/tg_point.h"
#include "lessons/grading.h"
#include "lessons/task.h"
#include "lessons/task_file.h"
#include "mainwindow/teacher_dialogs.h"
#include "window_under_test.h"

using namespace zelmora;

namespace {

QString TaskFile(const char* name) {
  return QStringLiteral(ZELMORA_BIN_DIR "/Tasks/") + QString::fromUtf8(name);
}

// The perpendicular bisector of AB, for a ruler and a compass.
const char* const kBisectorTask = "1.04 Серединный перпендикуляр.zmt";

}  // namespace

class LessonWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    w_ = std::make_unique<WindowUnderTest>();
    QVERIFY2(w_->folder.ok(), "build the data_files target");
  }
  void cleanup() { w_.reset(); }
  void theMenuFollowsMacros();
  void aTaskRestrictsToolsUntilItCloses();
  void checkingSaysWhatIsMissing();
  void theCommandLineOpensATask();
  void aSavedAttemptIsOfferedAgain();
  void aTeacherMakesATaskAndGradesAFolder();
  void aPupilSolvesWithTheMenusAndFailsByEye();

 private:
  std::unique_ptr<WindowUnderTest> w_;
};

void LessonWindowTest::theMenuFollowsMacros() {
  QVERIFY(w_->Start());
  QStringList titles;
  for (QAction* menu : w_->form->menuBar()->actions()) titles << menu->text();
  QCOMPARE(titles.indexOf(QStringLiteral("Уроки")), titles.indexOf(QStringLiteral("Макросы")) + 1);
  for (const char* item : {"LessonCheck", "LessonHint", "LessonRestart", "LessonClose"}) {
    QVERIFY2(!w_->Item(item)->isEnabled(), item);
  }
}

namespace {

// The names of the macro items that can be chosen.
QStringList OfferedMacros(const TMainForm& form) {
  QStringList offered;
  for (QAction* item : form.menuBar()->findChildren<QAction*>()) {
    if (item->objectName().startsWith(QStringLiteral("Macro")) && item->isEnabled()) {
      offered << item->text();
    }
  }
  offered.sort();
  return offered;
}

}  // namespace

void LessonWindowTest::aTaskRestrictsToolsUntilItCloses() {
  // Two shipped macros: a bisector of circles and lines, a circumcircle of bisector tools.
  QVERIFY(QDir().mkpath(w_->folder.Path(QStringLiteral("Macros"))));
  const QStringList macros = {QStringLiteral("Описанная окружность"),
                              QStringLiteral("Серединный перпендикуляр")};
  for (const QString& macro : macros) {
    const QString file = QStringLiteral("/Macros/") + macro + QStringLiteral(".zmm");
    QVERIFY(QFile::copy(QStringLiteral(ZELMORA_BIN_DIR) + file, w_->folder.path() + file));
  }
  QVERIFY(w_->Start());
  QCOMPARE(OfferedMacros(*w_->form), macros);
  w_->prompts.taskPaths.push_back(TaskFile(kBisectorTask));
  w_->Trigger("LessonOpen");
  QVERIFY(w_->prompts.dialogFolders.last().endsWith(QStringLiteral("Tasks")));
  const zelmora::Task* task = w_->form->Lessons().CurrentTask();
  QVERIFY(task != nullptr);
  QCOMPARE(w_->Objects().size(), task->givenCount);
  QVERIFY(w_->form->Lessons().Panel()->isVisible());
  const struct {
    const char* item;
    bool enabled;
  } tools[] = {{"NewObject104", false}, {"NewObject9", false}, {"NewObject103", false},
               {"NewObject201", true},  {"NewObject3", true},  {"NewObject101", true}};
  for (const auto& tool : tools)
    QVERIFY2(w_->Item(tool.item)->isEnabled() == tool.enabled, tool.item);
  QCOMPARE(OfferedMacros(*w_->form), QStringList{macros[1]});
  // A given cannot be deleted: A stands at (200, 320).
  w_->Click(200, 320);
  QTest::keyClick(w_->form.get(), Qt::Key_Delete);
  QCOMPARE(w_->Objects().size(), task->givenCount);
  w_->Trigger("LessonClose");
  QVERIFY(w_->Item("NewObject104")->isEnabled());
  QCOMPARE(OfferedMacros(*w_->form), macros);
  QVERIFY(!w_->form->Lessons().Panel()->isVisible());
}

void LessonWindowTest::checkingSaysWhatIsMissing() {
  QVERIFY(w_->Start());
  w_->prompts.taskPaths.push_back(TaskFile(kBisectorTask));
  w_->Trigger("LessonOpen");
  w_->Trigger("LessonCheck");
  const QString result = w_->form->Lessons().ResultText();
  QVERIFY2(result.contains(QStringLiteral("Задача пока не решена")), qPrintable(result));
  QVERIFY2(result.contains(QStringLiteral("не построено")), qPrintable(result));
  w_->Trigger("LessonHint");
  const auto* panel = w_->form->Lessons().Panel();
  bool hintShown = false;
  for (const QLabel* label : panel->findChildren<QLabel*>()) {
    hintShown = hintShown || label->text().startsWith(QStringLiteral("Подсказка 1:"));
  }
  QVERIFY(hintShown);
  // The verdict leads to how the attempt was built.
  auto* protocol = panel->findChild<QPushButton*>(QStringLiteral("LessonProtocol"));
  QVERIFY(protocol != nullptr && protocol->isVisible());
  protocol->click();
  QVERIFY(w_->form->ProtocolWindow() != nullptr && w_->form->ProtocolWindow()->isVisible());
}

void LessonWindowTest::theCommandLineOpensATask() {
  QVERIFY(w_->Start(TaskFile(kBisectorTask)));
  QVERIFY(w_->form->Lessons().CurrentTask() != nullptr);
  QVERIFY(!w_->Item("NewObject104")->isEnabled());
}

void LessonWindowTest::aSavedAttemptIsOfferedAgain() {
  QVERIFY(w_->Start());
  w_->prompts.taskPaths.push_back(TaskFile(kBisectorTask));
  w_->Trigger("LessonOpen");
  const std::size_t givens = w_->Objects().size();
  w_->AddPoint(60, 60);
  const QString attempt = w_->form->Lessons().AttemptPath();
  QVERIFY(attempt.endsWith(QStringLiteral("Saves/1.04 Серединный перпендикуляр.zms")));
  // The pupil dragged A to test the drawing; the file goes to the teacher
  // with A where the task put it, or the teacher's check would refuse it.
  auto& a = dynamic_cast<TGPoint&>(w_->Objects()[0]);
  const double placedX = a.X;
  a.X += 40;
  w_->prompts.savePaths.push_back(attempt);
  w_->Trigger("SaveZM");
  QCOMPARE(w_->prompts.dialogFolders.last(), attempt);
  QCOMPARE(a.X, placedX);
  Task task;
  QVERIFY(LoadTask(QFile::encodeName(TaskFile(kBisectorTask)).toStdString(), task).ok);
  QCOMPARE(GradeFile(task, QFile::encodeName(attempt).toStdString()).error, std::string());
  w_->prompts.taskPaths.push_back(TaskFile(kBisectorTask));
  w_->prompts.answers.push_back(Answer::Yes);
  w_->Trigger("LessonOpen");
  QCOMPARE(w_->Objects().size(), givens + 1);
  QCOMPARE(w_->prompts.questions.size(), 1);
  QVERIFY(!w_->Item("NewObject104")->isEnabled());
}

// Two free points and their midpoint: a task of the midpoint, made with all
// tools, then graded on the drawing itself and on a drawing of the points alone.
void LessonWindowTest::aTeacherMakesATaskAndGradesAFolder() {
  QVERIFY(w_->Start());
  w_->DrawTwoPoints();
  w_->Trigger("NewObject9");
  w_->Click(100, 100);
  w_->Click(300, 120);
  QTest::keyClick(w_->form.get(), Qt::Key_Escape);
  QCOMPARE(w_->Objects().size(), 3u);
  const QString works = w_->folder.Path(QStringLiteral("works"));
  QVERIFY(QDir().mkpath(works));
  w_->prompts.savePaths.push_back(works + QStringLiteral("/midpoint.zms"));
  w_->Trigger("SaveZM");
  int formWidth = 0;
  w_->prompts.answerDialog = [&formWidth](QDialog& dialog) {
    formWidth = dialog.sizeHint().width();
    dynamic_cast<TaskForm&>(dialog).AllowOnly(AllMethods());
    return int(QDialog::Accepted);
  };
  const QString task = w_->folder.Path(QStringLiteral("midpoint.zmt"));
  w_->prompts.filePaths.push_back(task);
  // The givens and the target are picked on the drawing; the bar's button
  // moves on, Enter finishes.
  w_->Trigger("LessonCreate");
  w_->Click(100, 100);
  w_->Click(300, 120);
  w_->form->SelectionBar()->ActionButton()->click();
  w_->Click(200, 110);
  QTest::keyClick(w_->form.get(), Qt::Key_Return);
  QVERIFY(QFileInfo(task).isFile());
  QVERIFY(w_->form->StatusBar()->isVisible());
  // The form's buttons must be on a school computer's screen.
  QVERIFY2(formWidth > 0 && formWidth <= 1024, qPrintable(QString::number(formWidth)));

  // A pupil who built nothing but saved the givens.
  w_->Objects().DeleteWithDescendants(2);
  w_->prompts.savePaths.push_back(works + QStringLiteral("/nothing.zms"));
  w_->Trigger("N8");
  QStringList verdicts;
  w_->prompts.taskPaths.push_back(task);
  w_->prompts.folders.push_back(works);
  w_->prompts.answerDialog = [&](QDialog& dialog) {
    const QTableWidget* table = dynamic_cast<GradesForm&>(dialog).Table();
    for (int row = 0; row < table->rowCount(); ++row) {
      verdicts << table->item(row, 0)->text() + QLatin1Char(' ') + table->item(row, 1)->text();
    }
    return int(QDialog::Rejected);
  };
  w_->Trigger("LessonGrade");
  QCOMPARE(verdicts, (QStringList{QStringLiteral("midpoint.zms решена"),
                                  QStringLiteral("nothing.zms не решена")}));
}

namespace {

QPoint At(const TGObject& object) {
  const auto& p = dynamic_cast<const TGPoint&>(object);
  return QPoint(qRound(p.X), qRound(p.Y));
}

// A point of the circle straight left of its centre.
QPoint LeftOf(const TGObject& object) {
  const auto& c = dynamic_cast<const TGCircle&>(object);
  return QPoint(qRound(c.CX - c.R), qRound(c.CY));
}

}  // namespace

// The perpendicular bisector by two circles and the line through their
// crossings, every pick a click; then the midpoint put by eye.
void LessonWindowTest::aPupilSolvesWithTheMenusAndFailsByEye() {
  QVERIFY(w_->Start());
  w_->form->resize(1100, 900);
  w_->prompts.taskPaths.push_back(TaskFile(kBisectorTask));
  w_->Trigger("LessonOpen");
  auto click = [&](QPoint p) { w_->Click(p.x(), p.y()); };
  auto build = [&](const char* item, std::initializer_list<QPoint> picks) {
    w_->Trigger(item);
    for (QPoint p : picks) click(p);
    QTest::keyClick(w_->form.get(), Qt::Key_Escape);
  };
  ObjectList& objects = w_->Objects();
  const QPoint a = At(objects[0]), b = At(objects[1]);
  build("NewObject201", {a, b});
  build("NewObject201", {b, a});
  build("NewObject3", {LeftOf(objects[3]), LeftOf(objects[4])});
  QCOMPARE(objects.size(), 7u);
  build("NewObject101", {At(objects[5]), At(objects[6])});
  w_->Trigger("LessonCheck");
  QString result = w_->form->Lessons().ResultText();
  QVERIFY2(result.startsWith(QStringLiteral("Задача решена!")), qPrintable(result));

  w_->prompts.taskPaths.push_back(TaskFile("1.05 Середина отрезка.zmt"));
  w_->prompts.answers.push_back(Answer::No);  // the solved drawing is not kept
  w_->Trigger("LessonOpen");
  w_->AddPoint((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
  w_->Trigger("LessonCheck");
  result = w_->form->Lessons().ResultText();
  QVERIFY2(result.contains(QStringLiteral("совпадает только на этом рисунке")), qPrintable(result));
}

QTEST_MAIN(LessonWindowTest)
#include "lesson_window_test.moc"
