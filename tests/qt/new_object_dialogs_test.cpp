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
#include "interaction/modes/measure_modes.h"
#include "render/pack_pixmaps.h"

using zelmora::DialogContext;
using zelmora::NewObjectKind;
using zelmora::TNewObjectForm;

Q_DECLARE_METATYPE(zelmora::NewObjectKind)

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
  const int codes[] = {0,   1,   3,   8,   9,   10,  11,  100, 101, 102, 103,
                       104, 105, 106, 107, 108, 109, 200, 201, 202, 203};
  std::string bytes;
  for (int code : codes) {
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
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("code");
    const auto P = NewObjectKind::Point, L = NewObjectKind::Line, C = NewObjectKind::Circle;
    const struct {
      NewObjectKind kind;
      int number;
      const char* caption;
      int code;
    } rows[] = {
        {P, 1, "Свободная", 0},
        {P, 2, "Принадлежит объекту", 1},
        {P, 3, "Пересечение обектов", 3},
        {P, 4, "Проекция", 8},
        {P, 5, "Середина отрезка", 9},
        {P, 6, "Удаление от точки на константу", 10},
        {P, 7, "Центр окружности", 11},
        {L, 1, "На плоскости", 100},
        {L, 2, "Две точки", 101},
        {L, 3, "Отрезок", 105},
        {L, 4, "Луч", 109},
        {L, 5, "Параллельная", 102},
        {L, 6, "Перпендикуляр", 103},
        {L, 7, "Под улом к прямой", 106},
        {L, 8, "Под постоянным улом к прямой", 107},
        {L, 9, "Биссектриса", 108},
        {L, 10, "Серединный перпендикуляр", 104},
        {C, 2, "По центру и точке", 201},
        {C, 3, "По центру и радиусу", 202},
        {C, 4, "Через три точки", 203},
    };
    for (const auto& row : rows) {
      QTest::newRow(row.caption) << row.kind << row.number << QString::fromUtf8(row.caption)
                                 << row.code;
    }
  }
  // Clicking a method shows its text; Enter then starts exactly that method.
  void everyMethodGivesItsCode() {
    QFETCH(NewObjectKind, kind);
    QFETCH(int, number);
    QFETCH(QString, caption);
    QFETCH(int, code);
    auto form = OpenForm(kind);
    QRadioButton* radio = Radio(*form, number);
    QVERIFY(radio != nullptr);
    QCOMPARE(radio->text(), caption);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    QVERIFY(radio->isChecked());
    QCOMPARE(form->HintLabel()->text(), TableTitle(code));
    QTest::keyClick(radio, Qt::Key_Return);
    QVERIFY(form->isHidden());
    QCOMPARE(form->ChosenMethod(), std::optional<int>(code));
    QVERIFY(errors_.empty());
  }

  // The measuring dialog: each choice shows what will be asked first and
  // gives its code; the last choice places a text.
  void everyMeasurementGivesItsCode() {
    std::vector<std::pair<int, QString>> choices;
    for (const zelmora::MeasureCommand& command : zelmora::kMeasureCommands) {
      choices.emplace_back(static_cast<int>(command.what), QString::fromUtf8(command.prompts[0]));
    }
    choices.emplace_back(zelmora::TGText::kMethodCode, QString::fromUtf8(zelmora::kTextPrompt));
    for (std::size_t i = 0; i < choices.size(); ++i) {
      auto form = OpenForm(NewObjectKind::Measure);
      QRadioButton* radio = Radio(*form, static_cast<int>(i) + 1);
      QVERIFY(radio != nullptr);
      QVERIFY2(radio->width() >= radio->sizeHint().width(), qPrintable(radio->text()));
      QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
      QCOMPARE(form->HintLabel()->text(), choices[i].second);
      QTest::keyClick(radio, Qt::Key_Return);
      QCOMPARE(form->ChosenMethod(), std::optional<int>(choices[i].first));
    }
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
    QCOMPARE(form->ChosenMethod(), std::optional<int>(code));
  }

  void circleShowsTheTableTextOnceChosenAgain() {
    auto form = OpenForm(NewObjectKind::Circle);
    QTest::mouseClick(Radio(*form, 4), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(form->HintLabel()->text(), TableTitle(203));
    QTest::mouseClick(Radio(*form, 1), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(form->HintLabel()->text(), kTableCircleText);
    QCOMPARE(form->RequestedMethod(), 200);
  }

  void arrowKeysChooseToo() {
    auto form = OpenForm(NewObjectKind::Line);
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(QApplication::focusWidget(), Radio(*form, 1));
    QTest::keyClick(Radio(*form, 1), Qt::Key_Down);
    QVERIFY(Radio(*form, 2)->isChecked());
    QCOMPARE(form->RequestedMethod(), 101);
    QCOMPARE(form->HintLabel()->text(), TableTitle(101));
  }

  void doubleClickConfirms() {
    auto form = OpenForm(NewObjectKind::Line);
    QRadioButton* ray = Radio(*form, 4);
    QTest::mouseDClick(ray, Qt::LeftButton, {}, QPoint(6, ray->height() / 2));
    QVERIFY(form->isHidden());
    QCOMPARE(form->ChosenMethod(), std::optional<int>(109));
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
    QCOMPARE(form->RequestedMethod(), 108);
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
    QCOMPARE(next->RequestedMethod(), 100);
  }

  void okButtonConfirms() {
    auto form = OpenForm(NewObjectKind::Point);
    auto* ok = form->findChild<QToolButton*>(QStringLiteral("OkButton"));
    QCOMPARE(ok->text(), QStringLiteral("Согласен"));
    QCOMPARE(ok->toolTip(), QStringLiteral("Создать новый объект"));
    QTest::mouseClick(Radio(*form, 6), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(form->ChosenMethod(), std::optional<int>(10));
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
    QCOMPARE(form->ChosenMethod(), std::optional<int>(3));
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
    const std::optional<int> method =
        zelmora::RunNewObjectDialog(nullptr, kind, Context(folder_.path()));
    QCOMPARE(method, answer < 0 ? std::nullopt : std::optional<int>(answer));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }
};

QTEST_MAIN(NewObjectDialogsTest)
#include "new_object_dialogs_test.moc"
