// The macro dialogs and the Macros menu in the real window: recording through
// the selection panel, adding and applying from the menu, the set-up dialog.
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include "dialogs/macro_dialogs.h"
#include "document/macro_file.h"
#include "window_under_test.h"

namespace zelmora {

class MacroWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { w_ = std::make_unique<WindowUnderTest>(); }
  void cleanup() { w_.reset(); }
  void recordedOnThePanelAddedAndAppliedFromTheMenu();
  void setUpDialogCancelRestoresAndTheMenuIsKept();
  void hintDialogDefaultsAndTypedSemicolons_data();
  void hintDialogDefaultsAndTypedSemicolons();
  void aMacroOnTheCommandLineIsOfferedForTheMenu_data();
  void aMacroOnTheCommandLineIsOfferedForTheMenu();

 private:
  QStringList MacroItems() const {
    QStringList captions;
    const QList<QAction*> items = w_->form->findChild<QMenu*>("N30")->actions();
    for (qsizetype i = 3; i < items.size(); ++i) captions << items[i]->text();
    return captions;
  }
  QToolButton* PanelButton(const char* name) const {
    return w_->form->SelectionBar()->findChild<QToolButton*>(name);
  }

  std::unique_ptr<WindowUnderTest> w_;
};

void MacroWindowTest::recordedOnThePanelAddedAndAppliedFromTheMenu() {
  QVERIFY(w_->Start());
  QCOMPARE(MacroItems(), QStringList());
  QVERIFY(!w_->form->findChild<QMenu*>("N30")->actions()[2]->isVisible());
  w_->DrawTwoPoints();
  ObjectList& objects = w_->Objects();
  objects.Complete(objects.AddPoint(), {&objects[0], &objects[1]},
                   CodeOf(ConstructionMethod::Midpoint));  // midpoint at (200, 110)

  w_->prompts.answerDialog = [](QDialog& dialog) {
    if (auto* hint = qobject_cast<TMHelpForm*>(&dialog)) hint->UseDefault();
    if (auto* name = qobject_cast<TMNameForm*>(&dialog)) {
      if (name->Edit()->text() == "mid") name->Edit()->setText(QString::fromUtf8("Середина"));
    }
    static_cast<TZMDialog&>(dialog).Confirm();
    return int(QDialog::Accepted);
  };
  w_->Trigger("N65");
  QVERIFY(w_->form->SelectionBar()->isVisible());
  QVERIFY(!w_->form->StatusBar()->isVisible());
  QCOMPARE(w_->form->SelectionBar()->ActionCaption(), QString::fromUtf8("Дальше"));
  w_->Click(100, 100);
  w_->Click(300, 120);
  PanelButton("RxSpeedButton8")->click();
  QCOMPARE(w_->form->SelectionBar()->ActionCaption(), QString::fromUtf8("Готово"));
  w_->Click(200, 110);
  const QString file = w_->folder.Path("mid.zmm");
  w_->prompts.answers = {Answer::No};
  w_->prompts.macroPaths = {file};
  PanelButton("RxSpeedButton8")->click();
  QCOMPARE(w_->form->editor().State(), InteractionState::Normal);
  QVERIFY(w_->form->StatusBar()->isVisible());
  QVERIFY(!w_->form->SelectionBar()->isVisible());
  const MacroRead read = ReadMacroHeader(*ReadMacroFileBytes(file.toStdString()));
  QVERIFY(read.header.has_value());
  QCOMPARE(read.header->arguments[0].hint, std::string("Выберите точку"));

  w_->prompts.macroPaths = {file};
  w_->Trigger("N33");
  QCOMPARE(MacroItems(), QStringList{QString::fromUtf8("Середина")});
  QVERIFY(w_->form->findChild<QMenu*>("N30")->actions()[2]->isVisible());
  w_->form->findChild<QMenu*>("N30")->actions()[3]->trigger();
  QCOMPARE(w_->form->editor().State(), InteractionState::MacroApply);
  w_->Click(500, 400);  // beside every object: a new free point
  w_->Click(300, 120);
  QCOMPARE(w_->form->editor().State(), InteractionState::Normal);
  QCOMPARE(objects.size(), std::size_t{5});
  const auto& made = static_cast<const TGPoint&>(objects[4]);
  QCOMPARE(made.X, 400.0);
  QCOMPARE(made.Y, 260.0);
}

void MacroWindowTest::setUpDialogCancelRestoresAndTheMenuIsKept() {
  const MacroList list{{"Первый", "/m/1.zmm"}, {"Второй", "/m/2.zmm"}, {"Третий", "/m/3.zmm"}};
  QVERIFY(SaveMcrFile(w_->folder.Path(QString::fromLatin1(kMacroListFile)).toStdString(), list));
  QVERIFY(w_->Start());
  const QStringList original = MacroItems();
  QCOMPARE(original.size(), 3);

  bool accept = false;
  w_->prompts.answerDialog = [&](QDialog& dialog) {
    if (auto* name = qobject_cast<TMNameForm*>(&dialog)) {
      name->Edit()->setText(QString::fromUtf8("Новое;имя"));
      name->Confirm();
      return int(QDialog::Accepted);
    }
    auto& form = static_cast<TMacroMenuForm&>(dialog);
    form.MoveUp();  // the first entry cannot move up
    form.List()->setCurrentRow(2);
    form.MoveDown();  // nor the last down
    form.DeleteSelected();
    if (form.List()->currentRow() != 1) return -1;
    form.RenameSelected();
    form.MoveUp();
    if (accept) {
      form.Confirm();
    } else {
      form.reject();
    }
    return form.result();
  };
  w_->Trigger("N34");
  QCOMPARE(MacroItems(), original);
  accept = true;
  w_->Trigger("N34");
  const QStringList changed{QString::fromUtf8("Новое,имя"), QString::fromUtf8("Первый")};
  QCOMPARE(MacroItems(), changed);

  QVERIFY(w_->form->close());
  w_->ReopenStore();
  QVERIFY(w_->Start());
  QCOMPARE(MacroItems(), changed);
}

void MacroWindowTest::hintDialogDefaultsAndTypedSemicolons_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("hint");
  QTest::newRow("point") << 1 << QString::fromUtf8("Выберите точку");
  QTest::newRow("line") << 2 << QString::fromUtf8("Выберите прямую");
  QTest::newRow("circle") << 3 << QString::fromUtf8("Выберите окружность");
  QTest::newRow("angle keeps what is typed") << 4 << QStringLiteral("angle, 30");
}

void MacroWindowTest::hintDialogDefaultsAndTypedSemicolons() {
  QFETCH(int, kind);
  QFETCH(QString, hint);
  TMHelpForm form(nullptr, DialogContext{}, kind);
  QTest::keyClicks(form.Edit(), QStringLiteral("angle; 30"));
  form.findChild<QToolButton*>("DefaultButton")->click();
  QTest::keyClick(form.Edit(), Qt::Key_Return);
  QCOMPARE(form.result(), int(QDialog::Accepted));
  QCOMPARE(form.Hint().value_or(QString()), hint);
}

void MacroWindowTest::aMacroOnTheCommandLineIsOfferedForTheMenu_data() {
  QTest::addColumn<bool>("dropped");
  QTest::newRow("double click") << false;
  QTest::newRow("dropped on the window") << true;
}

// Double-clicking a macro starts the program with it, and dropping it on the
// window does the same: the drawing stays empty, the macro joins the menu as
// a copy in the user's macro folder.
void MacroWindowTest::aMacroOnTheCommandLineIsOfferedForTheMenu() {
  QFETCH(bool, dropped);
  QTemporaryDir elsewhere;
  const QString original = QDir(elsewhere.path()).filePath(QStringLiteral("mid.zmm"));
  QVERIFY(QFile::copy(QStringLiteral(ZELMORA_SOURCE_DIR "/tests/cli/data/circle.zmm"), original));
  QTemporaryDir user;
  w_->userFolder = user.path();
  w_->prompts.answerDialog = [](QDialog& dialog) {
    static_cast<TZMDialog&>(dialog).Confirm();
    return int(QDialog::Accepted);
  };
  if (dropped) {
    QVERIFY(w_->Start());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(original)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w_->form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w_->form.get(), &drop);
  } else {
    QVERIFY(w_->Start(original));
  }
  QCOMPARE(MacroItems(), QStringList{QString::fromUtf8("Окружность")});
  QVERIFY(w_->Objects().empty());
  QVERIFY(w_->prompts.messages.isEmpty());
  QVERIFY(QFile::remove(original));  // the menu keeps its own copy
  QVERIFY(QFileInfo(QDir(user.path()).filePath(QStringLiteral("Macros/mid.zmm"))).isFile());
}

}  // namespace zelmora

QTEST_MAIN(zelmora::MacroWindowTest)
#include "macro_window_test.moc"
