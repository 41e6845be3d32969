#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <vector>

#include "dialogs/creation_dialogs.h"
#include "dialogs/new_circle_form.h"
#include "dialogs/new_line_form.h"
#include "dialogs/new_measure_form.h"
#include "dialogs/new_point_form.h"
#include "document/cp1251.h"
#include "document/line_code.h"
#include "document/text_table.h"
#include "render/pack_pixmaps.h"

using zelmora::Command;
using zelmora::DialogContext;
using zelmora::NewObjectKind;
using zelmora::TNewObjectForm;

Q_DECLARE_METATYPE(zelmora::NewObjectKind)
Q_DECLARE_METATYPE(zelmora::Command)

namespace {

// What the prompt table of the test folder says of a method.
QString TableTitle(int code) {
  return QStringLiteral("Способ №%1").arg(code);
}
const QString kTableCircleText = QStringLiteral("Окружность из таблицы");
const QString kCircleOpeningText =
    QStringLiteral("Вместе с окружностью создается точка — её центр");

// A prompt table as the program ships it: encoded Windows-1251 lines.
void WritePromptTable(const QString& folder) {
  std::string bytes;
  for (const zelmora::CommandInfo& command : zelmora::kCommands) {
    const int code = zelmora::Number(command.code);
    const QString title = code == 200 ? kTableCircleText : TableTitle(code);
    for (const QString& line :
         {QStringLiteral("%1-%2").arg(code).arg(title), QStringLiteral("Шаг 1")}) {
      bytes += zelmora::EncodeLine(*zelmora::Utf8ToCp1251(line.toStdString())) + "\r\n";
    }
  }
  QFile file(QDir(folder).filePath(QString::fromLatin1(zelmora::kPromptTableFile)));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::unique_ptr<TNewObjectForm> MakeForm(NewObjectKind kind, const DialogContext& context) {
  switch (kind) {
    case NewObjectKind::Point:
      return std::make_unique<zelmora::TNewPointForm>(nullptr, context);
    case NewObjectKind::Line:
      return std::make_unique<zelmora::TNewLineForm>(nullptr, context);
    case NewObjectKind::Circle:
      return std::make_unique<zelmora::TNewCircleForm>(nullptr, context);
    case NewObjectKind::Measure:
      return std::make_unique<zelmora::TNewMeasureForm>(nullptr, context);
  }
  return nullptr;
}

QRadioButton* Radio(const TNewObjectForm& form, int number) {
  return form.findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(number));
}

// Should a key miss its dialog, the dialog closes as cancelled after a while
// and the test fails instead of waiting forever.
class CloseDialogsLater {
 public:
  CloseDialogsLater() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget)) dialog->done(-1);
      }
      QFAIL("the dialog was not answered");
    });
    timer_.start(5000);
  }

 private:
  QTimer timer_;
};

}  // namespace

class NewObjectDialogsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  std::vector<int> errors_;
  std::vector<QUrl> opened_;

  DialogContext Context(const QString& programFolder) {
    DialogContext context;
    context.programFolder = programFolder;
    context.showError = [this](int number) { errors_.push_back(number); };
    context.openUrl = [this](const QUrl& url) {
      opened_.push_back(url);
      return true;
    };
    return context;
  }

  std::unique_ptr<TNewObjectForm> OpenForm(NewObjectKind kind) {
    auto form = MakeForm(kind, Context(folder_.path()));
    form->show();
    return form;
  }

 private slots:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    WritePromptTable(folder_.path());
    zelmora::PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR));
  }
  void init() {
    errors_.clear();
    opened_.clear();
  }

  void everyMethodGivesItsCode_data() {
    QTest::addColumn<NewObjectKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Command>("command");
    for (const zelmora::CommandInfo& c : zelmora::kCommands) {
      const QString caption =
          QString::fromUtf8(c.dialogCaption.data(), static_cast<qsizetype>(c.dialogCaption.size()));
      QTest::newRow(qPrintable(caption)) << c.group << caption << c.command;
    }
  }
  // Clicking a method shows its text; Enter then starts exactly that method.
  void everyMethodGivesItsCode() {
    QFETCH(NewObjectKind, kind);
    QFETCH(QString, caption);
    QFETCH(Command, command);
    auto form = OpenForm(kind);
    QRadioButton* radio = nullptr;
    for (QRadioButton* r : form->findChildren<QRadioButton*>()) {
      if (r->text() == caption) radio = r;
    }
    QVERIFY(radio != nullptr);
    const bool checkedAtOpening = radio->isChecked();
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    QVERIFY(radio->isChecked());
    // What the dialog opens with is checked in enterAtOnceStartsTheFreeMethod.
    // A measurement or a text shows its first prompt, which the prompt table lacks.
    const zelmora::CommandInfo& info = zelmora::Info(command);
    const QString text = info.group == zelmora::CommandGroup::Measure
                             ? QString::fromUtf8(info.placePrompt.data(),
                                                 static_cast<qsizetype>(info.placePrompt.size()))
                             : TableTitle(zelmora::Number(info.code));
    if (!checkedAtOpening) QCOMPARE(form->HintLabel()->text(), text);
    QTest::keyClick(radio, Qt::Key_Return);
    QVERIFY(form->isHidden());
    QCOMPARE(form->ChosenMethod(), std::optional(command));
    QVERIFY(errors_.empty());
  }

  void captionsAreNotCutOff_data() {
    QTest::addColumn<NewObjectKind>("kind");
    QTest::addColumn<int>("count");
    QTest::newRow("point") << NewObjectKind::Point << 7;
    QTest::newRow("line") << NewObjectKind::Line << 10;
    QTest::newRow("circle") << NewObjectKind::Circle << 4;
  }
  void captionsAreNotCutOff() {
    QFETCH(NewObjectKind, kind);
    QFETCH(int, count);
    auto form = OpenForm(kind);
    QVERIFY(Radio(*form, count + 1) == nullptr);
    auto* title = form->findChild<QLabel*>(QStringLiteral("TitleLabel"));
    QVERIFY(title != nullptr);
    QVERIFY(title->text().startsWith(QStringLiteral("Выберите способ задания Новой ")));
    QVERIFY(QFontMetrics(title->font()).horizontalAdvance(title->text()) <= title->width());
    for (int n = 1; n <= count; ++n) {
      QRadioButton* radio = Radio(*form, n);
      QVERIFY(radio != nullptr);
      QVERIFY2(radio->width() >= radio->sizeHint().width(), qPrintable(radio->text()));
      QVERIFY2(radio->parentWidget()->rect().contains(radio->geometry()),
               qPrintable(radio->text()));
      // Numbered column by column, top to bottom.
      if (n > 1) {
        const QPoint before = Radio(*form, n - 1)->pos();
        QVERIFY(std::pair(before.x(), before.y()) < std::pair(radio->x(), radio->y()));
      }
      // No two methods share a spot the mouse could hit.
      for (int m = 1; m < n; ++m) {
        QVERIFY2(!Radio(*form, m)->geometry().intersects(radio->geometry()),
                 qPrintable(radio->text()));
      }
    }
  }

  void enterAtOnceStartsTheFreeMethod_data() {
    QTest::addColumn<NewObjectKind>("kind");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("openingText");
    QTest::newRow("point") << NewObjectKind::Point << 0 << TableTitle(0);
    QTest::newRow("line") << NewObjectKind::Line << 100 << TableTitle(100);
    QTest::newRow("circle keeps its own text")
        << NewObjectKind::Circle << 200 << kCircleOpeningText;
  }
  void enterAtOnceStartsTheFreeMethod() {
    QFETCH(NewObjectKind, kind);
    QFETCH(int, code);
    QFETCH(QString, openingText);
    auto form = OpenForm(kind);
    QVERIFY(Radio(*form, 1)->isChecked());
    QCOMPARE(form->HintLabel()->text(), openingText);
    QTest::keyClick(form.get(), Qt::Key_Enter);
    QCOMPARE(form->ChosenMethod(), zelmora::CommandWithCode(zelmora::MethodCode{code}));
  }

  void circleShowsTheTableTextOnceChosenAgain() {
    auto form = OpenForm(NewObjectKind::Circle);
    QTest::mouseClick(Radio(*form, 4), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(form->HintLabel()->text(), TableTitle(203));
    QTest::mouseClick(Radio(*form, 1), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(form->HintLabel()->text(), kTableCircleText);
    QCOMPARE(form->RequestedMethod(), Command::FreeCircle);
  }

  void arrowKeysChooseToo() {
    auto form = OpenForm(NewObjectKind::Line);
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(QApplication::focusWidget(), Radio(*form, 1));
    QTest::keyClick(Radio(*form, 1), Qt::Key_Down);
    QVERIFY(Radio(*form, 2)->isChecked());
    QCOMPARE(form->RequestedMethod(), Command::LineThroughTwoPoints);
    QCOMPARE(form->HintLabel()->text(), TableTitle(101));
  }

  void doubleClickConfirms() {
    auto form = OpenForm(NewObjectKind::Line);
    QRadioButton* ray = Radio(*form, 4);
    QTest::mouseDClick(ray, Qt::LeftButton, {}, QPoint(6, ray->height() / 2));
    QVERIFY(form->isHidden());
    QCOMPARE(form->ChosenMethod(), std::optional(Command::Ray));
  }

  void cancellingStartsNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("Отмена") << QStringLiteral("button");
    QTest::newRow("close box") << QStringLiteral("close");
  }
  void cancellingStartsNothing() {
    QFETCH(QString, how);
    auto form = OpenForm(NewObjectKind::Line);
    QTest::mouseClick(Radio(*form, 9), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(form->RequestedMethod(), Command::Bisector);
    if (how == "escape") QTest::keyClick(Radio(*form, 9), Qt::Key_Escape);
    if (how == "button") {
      auto* cancel = form->findChild<QToolButton*>(QStringLiteral("CancelButton"));
      QCOMPARE(cancel->text(), QStringLiteral("Отмена"));
      QTest::mouseClick(cancel, Qt::LeftButton);
    }
    if (how == "close") form->close();
    QVERIFY(form->isHidden());
    QCOMPARE(form->ChosenMethod(), std::nullopt);

    auto next = OpenForm(NewObjectKind::Line);
    QVERIFY(Radio(*next, 1)->isChecked());
    QCOMPARE(next->RequestedMethod(), Command::FreeLine);
  }

  void okButtonConfirms() {
    auto form = OpenForm(NewObjectKind::Point);
    auto* ok = form->findChild<QToolButton*>(QStringLiteral("OkButton"));
    QCOMPARE(ok->text(), QStringLiteral("Согласен"));
    QCOMPARE(ok->toolTip(), QStringLiteral("Создать новый объект"));
    QTest::mouseClick(Radio(*form, 6), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(form->ChosenMethod(), std::optional(Command::PointAtDistance));
  }

  // Without a prompt table every lookup says so; choosing still works.
  void missingPromptTableReportsEachLookup() {
    QTemporaryDir empty;
    auto form = MakeForm(NewObjectKind::Point, Context(empty.path()));
    form->show();
    QCOMPARE(errors_, std::vector<int>{2});
    QCOMPARE(form->HintLabel()->text(), QString());
    QTest::mouseClick(Radio(*form, 3), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(errors_, (std::vector<int>{2, 2}));
    QCOMPARE(form->HintLabel()->text(), QString());
    QTest::keyClick(form.get(), Qt::Key_Return);
    QCOMPARE(form->ChosenMethod(), std::optional(Command::Intersection));
  }

  void f1OpensTheHelpPage_data() {
    QTest::addColumn<QString>("helpFolder");  // empty: no page
    QTest::addColumn<bool>("opened");
    QTest::newRow("Help folder") << QStringLiteral("Help") << true;
    QTest::newRow("help folder in lower case") << QStringLiteral("help") << true;
    QTest::newRow("missing page") << QString() << false;
  }
  void f1OpensTheHelpPage() {
    QFETCH(QString, helpFolder);
    QFETCH(bool, opened);
    QTemporaryDir program;
    const QString page = QStringLiteral("Создание новых объектов.htm");
    if (!helpFolder.isEmpty()) {
      QVERIFY(QDir(program.path()).mkpath(helpFolder));
      QFile file(QDir(program.path()).filePath(helpFolder + '/' + page));
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
    auto form = MakeForm(NewObjectKind::Circle, Context(program.path()));
    form->show();
    QTest::keyClick(Radio(*form, 2), Qt::Key_F1);
    QVERIFY(form->isVisible());
    if (opened) {
      QCOMPARE(opened_.size(), std::size_t{1});
      QCOMPARE(opened_[0].toLocalFile(), QDir(program.path()).filePath(helpFolder + '/' + page));
      QVERIFY(errors_.empty());
    } else {
      QVERIFY(opened_.empty());
      QCOMPARE(errors_, std::vector<int>{6});
    }
  }

  // The main window's call: modal, answered here by keys on the open dialog.
  void runNewObjectDialog_data() {
    QTest::addColumn<NewObjectKind>("kind");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");  // -1: nothing
    QTest::newRow("point, Enter") << NewObjectKind::Point << int(Qt::Key_Return) << 0;
    QTest::newRow("line, Escape") << NewObjectKind::Line << int(Qt::Key_Escape) << -1;
    QTest::newRow("circle, Enter") << NewObjectKind::Circle << int(Qt::Key_Return) << 200;
    QTest::newRow("point, the free one disabled")
        << NewObjectKind::Point << int(Qt::Key_Return) << 1;
  }
  void runNewObjectDialog() {
    QFETCH(NewObjectKind, kind);
    QFETCH(int, key);
    QFETCH(int, answer);
    QTimer::singleShot(0, [key] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        QTest::keyClick(dialog, static_cast<Qt::Key>(key));
      }
    });
    CloseDialogsLater guard;
    zelmora::CommandSet enabled = zelmora::CommandSet::All();
    if (answer == 1) enabled.Remove(Command::FreePoint);
    const std::optional<Command> command =
        zelmora::RunNewObjectDialog(nullptr, kind, enabled, Context(folder_.path()));
    QCOMPARE(command,
             answer < 0 ? std::nullopt : zelmora::CommandWithCode(zelmora::MethodCode{answer}));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }
};

QTEST_MAIN(NewObjectDialogsTest)
#include "new_object_dialogs_test.moc"
