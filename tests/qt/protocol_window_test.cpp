// The protocol window of the real main window: its table, the selection
// shared with the plane, the replay controls, its place and its printout.
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSlider>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "dialogs/protocol_form.h"
#include "window_under_test.h"

using namespace zelmora;

namespace {

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

}  // namespace

class ProtocolWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    w_ = std::make_unique<WindowUnderTest>();
    QVERIFY(w_->Start(w_->Saves(Utf8("Описанная окружность.zms"))));
    QCOMPARE(w_->Objects().size(), std::size_t{10});
    w_->Trigger("ProtocolItem");
    form_ = w_->form->ProtocolWindow();
    QVERIFY(form_ != nullptr && form_->isVisible());
  }
  void cleanup() { w_.reset(); }

  void listsEveryObjectInDrawingOrder() {
    const QAbstractItemModel* model = form_->Table()->model();
    QCOMPARE(model->rowCount(), 10);
    QCOMPARE(model->index(8, 3).data().toString(), Utf8("Пересечение прямых m1 и m2"));
    QCOMPARE(model->index(8, 4).data().toString(), Utf8("m1, m2"));
    QVERIFY(!model->index(8, 1).data(Qt::DecorationRole).value<QIcon>().isNull());
    // A new object appears once the drawing rests.
    w_->AddPoint(700, 500);
    QTRY_COMPARE(model->rowCount(), 11);
    QCOMPARE(model->index(10, 3).data().toString(), Utf8("Свободная точка"));
  }

  void selectionIsSharedWithThePlane() {
    form_->Table()->selectRow(8);
    QCOMPARE(w_->form->editor().Selected(), 8);
    w_->Click(260, 400);  // the vertex A
    QCOMPARE(w_->form->editor().Selected(), 0);
    const QModelIndexList chosen = form_->Table()->selectionModel()->selectedRows();
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.front().row(), 0);
  }

  void buttonsAndSliderWalkThroughTheSteps() {
    const Editor& editor = w_->form->editor();
    auto press = [this](const char* caption) { form_->Button(caption)->click(); };
    press("Шаг назад");
    QVERIFY(editor.Replay().Active());
    QCOMPARE(editor.Replay().Step(), std::size_t{9});
    press("В начало");
    QCOMPARE(editor.Replay().Step(), std::size_t{1});
    press("Шаг вперёд");
    QCOMPARE(editor.Replay().Step(), std::size_t{2});
    QCOMPARE(form_->StepLabel()->text(), Utf8("Шаг 2 из 10"));
    form_->Slider()->setValue(6);
    QCOMPARE(editor.Replay().Step(), std::size_t{6});
    QCOMPARE(form_->Table()->selectionModel()->selectedRows().front().row(), 5);
    QCOMPARE(editor.Selected(), 5);
    form_->Table()->selectRow(2);  // a row chosen during the replay is its step
    QCOMPARE(editor.Replay().Step(), std::size_t{3});
    press("В конец");
    QVERIFY(!editor.Replay().Active());
    QCOMPARE(form_->Slider()->value(), 10);
    QVERIFY(!w_->Objects().Modified());
    QVERIFY(!editor.ActionHistory().CanUndo());
  }

  void playingStepsUntilTheLastObject() {
    const Editor& editor = w_->form->editor();
    form_->SetStepMs(100);
    form_->Button("Воспроизвести")->click();
    QCOMPARE(editor.Replay().Step(), std::size_t{1});
    QTRY_VERIFY_WITH_TIMEOUT(!form_->Playing(), 5000);
    QVERIFY(editor.Replay().Active());
    QCOMPARE(editor.Replay().Step(), std::size_t{10});
  }

  // Editing or closing the window leaves the replay and the controls follow.
  void leavingTheReplayShowsTheWholeDrawing() {
    const Editor& editor = w_->form->editor();
    form_->Button("Шаг назад")->click();
    w_->Click(5, 5);
    QVERIFY(!editor.Replay().Active());
    QCOMPARE(form_->StepLabel()->text(), Utf8("Весь чертёж: 10"));
    form_->Button("Шаг назад")->click();
    form_->close();
    QVERIFY(!editor.Replay().Active());
  }

  void placeAndPaceAreRemembered() {
    form_->setGeometry(130, 140, 720, 330);
    form_->SetStepMs(2500);
    w_->form->close();
    QCOMPARE(w_->Stored("ProtocolFormLeft").toInt(), 130);
    QCOMPARE(w_->Stored("ProtocolStepMs").toInt(), 2500);
    w_->ReopenStore();
    QVERIFY(w_->Start());
    w_->Trigger("ProtocolItem");
    QCOMPARE(w_->form->ProtocolWindow()->geometry(), QRect(130, 140, 720, 330));
    QCOMPARE(w_->form->ProtocolWindow()->StepMs(), 2500);
  }

  void printsAndSavesThePage() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("protocol.pdf"), html = dir.filePath("protocol.html");
    w_->prompts.answerDialog = [&](QDialog& dialog) {
      if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
        preview->printer()->setOutputFileName(pdf);
        emit preview->paintRequested(preview->printer());
      } else if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        files->selectFile(html);
      }
      return int(QDialog::Accepted);
    };
    QTest::keyClick(form_, Qt::Key_F1);
    QCOMPARE(w_->prompts.urls.size(), 1);
    QVERIFY(w_->prompts.urls.front().toLocalFile().endsWith(Utf8("Help/Протокол построения.htm")));
    form_->Button("Печать протокола…")->click();
    form_->Button("Сохранить как HTML…")->click();
    QCOMPARE(w_->prompts.dialogs, (QStringList{"QPrintPreviewDialog", "QFileDialog"}));
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.readAll().startsWith("%PDF"));
    QFile page(html);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    QVERIFY(text.contains(Utf8("<td>Пересечение прямых m1 и m2</td>")));
    QVERIFY(text.contains(QStringLiteral("data:image/png;base64,")));
  }

 private:
  std::unique_ptr<WindowUnderTest> w_;
  TProtocolForm* form_ = nullptr;
};

QTEST_MAIN(ProtocolWindowTest)
#include "protocol_window_test.moc"
