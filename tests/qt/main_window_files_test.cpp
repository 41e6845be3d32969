// The File menu, the recent files, the command line and the close of the
// real main window, driven through its menu items with scripted answers.
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include "dialogs/help_form.h"
#include "document/document_file.h"
#include "document/macro_list.h"
#include "mainwindow/main_form_texts.h"
#include "window_under_test.h"

using namespace zelmora;

Q_DECLARE_METATYPE(zelmora::Answer)

namespace {

const QString kTitle = QStringLiteral("Zelmora 2.0");

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

// The objects of a saved drawing, read back as the program reads them.
std::size_t ObjectsInFile(const QString& path) {
  ObjectList list;
  DocumentInfo info;
  if (!LoadPlane(QFile::encodeName(path).toStdString(), list, info).ok()) return 0;
  return list.size();
}

}  // namespace

class MainWindowFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void newAsksFirst_data();
  void newAsksFirst();
  void openAsksThenLoads_data();
  void openAsksThenLoads();
  void saveAndSaveAs();
  void failedSaveKeepsTheDrawing();
  void filePropertiesEditMarksTheDocumentModified();
  void recentEntriesInTheFileMenu();
  void commandLineFile_data();
  void commandLineFile();
  void closeAsksThenWritesSettings_data();
  void closeAsksThenWritesSettings();
  void unreadableMacroListIsNotOverwritten();

 private:
  std::unique_ptr<WindowUnderTest> w_;
};

void MainWindowFilesTest::init() {
  w_ = std::make_unique<WindowUnderTest>();
  QVERIFY2(w_->folder.ok(), "build the data_files target");
  w_->Preset(QStringLiteral("FirstRun"), 1);
  QVERIFY(w_->Start());
}

void MainWindowFilesTest::cleanup() {
  w_.reset();
}

void MainWindowFilesTest::newAsksFirst_data() {
  QTest::addColumn<Answer>("answer");
  QTest::addColumn<bool>("saveDialogConfirmed");
  QTest::addColumn<bool>("emptied");
  QTest::addColumn<bool>("saved");
  QTest::newRow("yes saves, then empties") << Answer::Yes << true << true << true;
  // Emptying the drawing after a save that did not happen would lose it.
  QTest::newRow("yes, save dialog cancelled") << Answer::Yes << false << false << false;
  QTest::newRow("no empties without saving") << Answer::No << true << true << false;
  QTest::newRow("cancel keeps everything") << Answer::Cancel << true << false << false;
}

void MainWindowFilesTest::newAsksFirst() {
  QFETCH(Answer, answer);
  QFETCH(bool, saveDialogConfirmed);
  QFETCH(bool, emptied);
  QFETCH(bool, saved);
  w_->DrawTwoPoints();
  QCOMPARE(w_->Objects().size(), 2u);
  QVERIFY(w_->Objects().Modified());
  const QString target = w_->Saves(QStringLiteral("new.zms"));
  w_->prompts.answers = {answer};
  w_->prompts.savePaths = {saveDialogConfirmed ? std::optional(target) : std::nullopt};

  w_->Trigger("FreeZM");
  QCOMPARE(w_->prompts.titles, QStringList{Utf8("Внимание!")});
  QCOMPARE(w_->prompts.questions,
           QStringList{Utf8("Сохранить текущий файл перед созданием нового?")});
  QCOMPARE(w_->Objects().empty(), emptied);
  QCOMPARE(w_->Objects().Modified(), !emptied && !saved);
  QCOMPARE(QFile::exists(target), saved);
  if (saved) QCOMPARE(ObjectsInFile(target), 2u);
  QCOMPARE(w_->Caption(), kTitle);
}

void MainWindowFilesTest::openAsksThenLoads_data() {
  QTest::addColumn<Answer>("answer");
  QTest::addColumn<bool>("opened");
  QTest::addColumn<bool>("saved");
  QTest::newRow("yes saves, then opens") << Answer::Yes << true << true;
  QTest::newRow("no opens without saving") << Answer::No << true << false;
  QTest::newRow("cancel shows no dialog") << Answer::Cancel << false << false;
}

void MainWindowFilesTest::openAsksThenLoads() {
  QFETCH(Answer, answer);
  QFETCH(bool, opened);
  QFETCH(bool, saved);
  const QString example = w_->Saves(Utf8("Вписанная окружность.zms"));
  const std::size_t exampleObjects = ObjectsInFile(example);
  QVERIFY(exampleObjects > 2);
  w_->DrawTwoPoints();
  const QString target = w_->Saves(QStringLiteral("mine.zms"));
  w_->prompts.answers = {answer};
  w_->prompts.savePaths = {target};
  w_->prompts.openPaths = {example};

  w_->Trigger("OpenZM");
  QCOMPARE(w_->prompts.questions,
           QStringList{Utf8("Сохранить текущий файл перед открытием другого?")});
  QCOMPARE(w_->Objects().size(), opened ? exampleObjects : 2u);
  QCOMPARE(w_->Caption(), opened ? kTitle + " - " + example : kTitle);
  QVERIFY(w_->Objects().Modified() == !opened);
  QCOMPARE(QFile::exists(target), saved);
  // The Open dialog starts among the drawings; after Cancel it never opens.
  QCOMPARE(w_->prompts.openPaths.empty(), opened);
  if (opened) QCOMPARE(w_->prompts.dialogFolders.last(), w_->folder.Path("Saves"));
}

void MainWindowFilesTest::saveAndSaveAs() {
  w_->DrawTwoPoints();
  const QString first = w_->Saves(QStringLiteral("first.zms"));
  const QString second = w_->Saves(QStringLiteral("second.zms"));
  QCOMPARE(w_->Item("SaveZM")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
  w_->prompts.savePaths = {first};
  w_->Trigger("SaveZM");
  QCOMPARE(w_->Caption(), kTitle + " - " + first);
  QVERIFY(!w_->Objects().Modified());
  QCOMPARE(ObjectsInFile(first), 2u);

  // Saved again under its name, without a dialog.
  w_->AddPoint(200, 300);
  QVERIFY(w_->Objects().Modified());
  w_->Trigger("SaveZM");
  QCOMPARE(w_->prompts.dialogFolders.size(), 1);
  QCOMPARE(ObjectsInFile(first), 3u);

  // "Save as" keeps the mark, so the question at close still comes.
  w_->AddPoint(400, 300);
  w_->prompts.savePaths = {second};
  w_->Trigger("N8");
  QCOMPARE(w_->Caption(), kTitle + " - " + second);
  QCOMPARE(ObjectsInFile(second), 4u);
  QVERIFY(w_->Objects().Modified());
}

void MainWindowFilesTest::failedSaveKeepsTheDrawing() {
  w_->DrawTwoPoints();
  const QString nowhere = w_->folder.Path("no such folder/lost.zms");
  w_->prompts.savePaths = {nowhere};
  w_->Trigger("SaveZM");
  QCOMPARE(w_->prompts.messages.size(), 1);
  QVERIFY(w_->prompts.messages[0].startsWith(Utf8("Файл не сохранен")));
  QVERIFY(w_->Objects().Modified());
  QCOMPARE(w_->Objects().size(), 2u);
  QCOMPARE(w_->Caption(), kTitle);

  // Nor does New go on after such a save.
  w_->prompts.answers = {Answer::Yes};
  w_->prompts.savePaths = {nowhere};
  w_->Trigger("FreeZM");
  QCOMPARE(w_->Objects().size(), 2u);
}

void MainWindowFilesTest::filePropertiesEditMarksTheDocumentModified() {
  // Confirming without a change leaves the mark alone...
  w_->prompts.answerDialog = [](QDialog& dialog) {
    QMetaObject::invokeMethod(&dialog, "Confirm");
    return dialog.result();
  };
  w_->Trigger("N9");
  QVERIFY(!w_->Objects().Modified());
  // ...a new author is a change the close question must not skip.
  w_->prompts.answerDialog = [](QDialog& dialog) {
    dialog.findChild<QLineEdit*>(QStringLiteral("AuthorEdit"))->setText(QStringLiteral("Маша"));
    QMetaObject::invokeMethod(&dialog, "Confirm");
    return dialog.result();
  };
  w_->Trigger("N9");
  QCOMPARE(w_->prompts.dialogs,
           (QStringList{"zelmora::TFilePropertiesForm", "zelmora::TFilePropertiesForm"}));
  QCOMPARE(w_->form->Session().Info().author, std::string("Маша"));
  QVERIFY(w_->Objects().Modified());
}

void MainWindowFilesTest::recentEntriesInTheFileMenu() {
  const QString a = w_->Saves(Utf8("Вписанная окружность.zms"));
  const QString b = w_->Saves(Utf8("Описанная окружность.zms"));
  w_->prompts.openPaths = {a, b};
  w_->Trigger("OpenZM");
  w_->Trigger("OpenZM");
  QCOMPARE(w_->Item("RecentFile1")->text(), "&1 " + b);
  QCOMPARE(w_->Item("RecentFile2")->text(), "&2 " + a);
  QVERIFY(w_->Item("RecentFile1")->isVisible());
  QVERIFY(w_->Item("RecentFile2")->isVisible());
  QVERIFY(!w_->Item("RecentFile3")->isVisible());
  QVERIFY(!w_->Item("RecentFile4")->isVisible());
  QMenu* file = w_->Item("RecentFile1")->associatedObjects().isEmpty()
                    ? nullptr
                    : qobject_cast<QMenu*>(w_->Item("RecentFile1")->associatedObjects()[0]);
  QVERIFY(file != nullptr);
  const QList<QAction*> items = file->actions();
  const qsizetype separator = items.indexOf(w_->Item("RecentFile4")) + 1;
  QVERIFY(items[separator]->isSeparator());
  QVERIFY(items[separator]->isVisible());

  // Opening from an entry does not reorder the list.
  w_->Trigger("RecentFile2");
  QCOMPARE(w_->Caption(), kTitle + " - " + a);
  QCOMPARE(w_->Objects().size(), ObjectsInFile(a));
  QCOMPARE(w_->Item("RecentFile1")->text(), "&1 " + b);

  // The list is kept for the next run.
  QVERIFY(w_->form->close());
  QCOMPARE(w_->Stored("FileName1").toString(), "&1 " + b);
  QCOMPARE(w_->Stored("FileName2").toString(), "&2 " + a);
  w_->ReopenStore();
  QVERIFY(w_->Start());
  QCOMPARE(w_->Item("RecentFile2")->text(), "&2 " + a);
  QVERIFY(!w_->Item("RecentFile3")->isVisible());
}

void MainWindowFilesTest::commandLineFile_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("error");
  QTest::addColumn<bool>("loaded");
  QTest::addColumn<bool>("relative");
  QTest::newRow("missing") << "missing.zms" << Utf8(texts::kCommandLineFileMissing) << 0 << false
                           << false;
  QTest::newRow("unreadable") << "broken.zms" << QString() << 1 << false << false;
  QTest::newRow("example") << Utf8("Saves/Касательные из точки.zms") << QString() << 0 << true
                           << false;
  // Started from another folder with a relative name: the caption and the
  // recent entry must hold the full path, or the entry fails from elsewhere.
  QTest::newRow("relative example")
      << Utf8("Saves/Касательные из точки.zms") << QString() << 0 << true << true;
}

void MainWindowFilesTest::commandLineFile() {
  QFETCH(QString, file);
  QFETCH(QString, message);
  QFETCH(int, error);
  QFETCH(bool, loaded);
  QFETCH(bool, relative);
  QFile broken(w_->folder.Path("broken.zms"));
  QVERIFY(broken.open(QIODevice::WriteOnly));
  broken.write("ZelmoraSaveFile 2.0\r\nnot a drawing\r\n");
  broken.close();
  w_->form.reset();
  w_->prompts = ScriptedPrompts();
  const QString path = w_->folder.Path(file);
  QVERIFY(w_->Start(relative ? QDir::current().relativeFilePath(path) : path));
  QCOMPARE(w_->prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});
  QCOMPARE(w_->prompts.errors, error == 0 ? std::vector<int>{} : std::vector<int>{error});
  QCOMPARE(w_->Objects().empty(), !loaded);
  QCOMPARE(w_->Caption(), loaded ? kTitle + " - " + path : kTitle);
  QVERIFY(!w_->Objects().Modified());
  if (loaded) QCOMPARE(w_->Item("RecentFile1")->text(), "&1 " + path);
}

void MainWindowFilesTest::closeAsksThenWritesSettings_data() {
  QTest::addColumn<Answer>("answer");
  QTest::addColumn<bool>("closed");
  QTest::addColumn<bool>("saved");
  QTest::newRow("yes saves and closes") << Answer::Yes << true << true;
  QTest::newRow("no closes without saving") << Answer::No << true << false;
  QTest::newRow("cancel keeps running") << Answer::Cancel << false << false;
}

void MainWindowFilesTest::closeAsksThenWritesSettings() {
  QFETCH(Answer, answer);
  QFETCH(bool, closed);
  QFETCH(bool, saved);
  // Run-time changes that only a regular close keeps.
  w_->Trigger("N59");  // object bar off
  w_->Trigger("N60");  // picture bar on
  w_->Trigger("N53");  // hint window off
  w_->form->HintWindow()->SetPosition(123, 77);
  w_->DrawTwoPoints();
  const QString target = w_->Saves(QStringLiteral("at close.zms"));
  w_->prompts.answers = {answer};
  w_->prompts.savePaths = {target};

  QCOMPARE(w_->form->close(), closed);
  QCOMPARE(w_->prompts.questions, QStringList{Utf8("Сохранить текущий файл перед выходом?")});
  QCOMPARE(w_->form->isVisible(), !closed);
  QCOMPARE(QFile::exists(target), saved);
  QCOMPARE(QFile::exists(w_->folder.Path(kMacroListFile)), closed);
  QCOMPARE(w_->Stored("ObjectPanel").toInt(), closed ? 0 : 1);
  QCOMPARE(w_->Stored("PicturePanel").toInt(), closed ? 1 : 0);
  QCOMPARE(w_->Stored("HelpShow").toInt(), closed ? 0 : 1);
  QCOMPARE(w_->Stored("HelpFormLeft").toInt(), closed ? 123 : 450);
  QCOMPARE(w_->Stored("HelpFormTop").toInt(), closed ? 77 : 40);
  QCOMPARE(w_->Stored("FileName1").toString(), QString());
  if (!closed) return;

  // The next run starts as this one ended.
  w_->ReopenStore();
  QVERIFY(w_->Start());
  QVERIFY(w_->form->findChild<QWidget*>("SpeedBar1")->isHidden());
  QVERIFY(!w_->form->findChild<QWidget*>("SpeedBar3")->isHidden());
  QVERIFY(w_->form->HintWindow()->isHidden());
  QVERIFY(!w_->Item("N53")->isChecked());
  QCOMPARE(w_->form->HintWindow()->pos(), QPoint(123, 77));
}

void MainWindowFilesTest::unreadableMacroListIsNotOverwritten() {
  w_->form.reset();
  const QString list = w_->folder.Path(kMacroListFile);
  QVERIFY(QDir().mkpath(list));  // a folder where the list file should be: unreadable
  QVERIFY(w_->Start());
  QVERIFY(w_->form->close());
  QVERIFY(QFileInfo(list).isDir());
  QVERIFY(w_->prompts.messages.isEmpty());
}

QTEST_MAIN(MainWindowFilesTest)
#include "main_window_files_test.moc"
