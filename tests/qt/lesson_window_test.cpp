// The lesson menu of the real main window: a task opened from the menu or
// the command line restricts the tools, keeps its givens and answers
// "Проверить" on the task panel.
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>

#include "lessons/task.h"
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

void LessonWindowTest::aTaskRestrictsToolsUntilItCloses() {
  QVERIFY(w_->Start());
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
  // A given cannot be deleted: A stands at (200, 320).
  w_->Click(200, 320);
  QTest::keyClick(w_->form.get(), Qt::Key_Delete);
  QCOMPARE(w_->Objects().size(), task->givenCount);
  w_->Trigger("LessonClose");
  QVERIFY(w_->Item("NewObject104")->isEnabled());
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
}

void LessonWindowTest::theCommandLineOpensATask() {
  QVERIFY(w_->Start(TaskFile(kBisectorTask)));
  QVERIFY(w_->form->Lessons().CurrentTask() != nullptr);
  QVERIFY(!w_->Item("NewObject104")->isEnabled());
}

QTEST_MAIN(LessonWindowTest)
#include "lesson_window_test.moc"
