// "Настройка": what the dialog shows, what "Согласен" stores and what
// "Отмена" leaves alone, through a settings file of the test's own.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "controls/zm_color_selector.h"
#include "dialogs/options_form.h"
#include "document/image_pack.h"
#include "platform/qt_settings_store.h"
#include "render/pack_pixmaps.h"

using namespace zelmora;

namespace {

// Typing as a keyboard would, Cyrillic included (keyClicks takes ASCII only).
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// The values the dialog edits, as the settings file holds them.
QMap<QString, QString> StoredOptions(const QString& iniFile) {
  QSettings file(iniFile, QSettings::IniFormat);
  QMap<QString, QString> values;
  for (const char* key : {"Name Font", "Feeling", "Time Pause", "Point Name", "Line Name",
                          "Circle Name", "EndsOff", "PointVisible", "LineVisible", "CircleVisible",
                          "Color", "Width", "ZoomStep", "Smoothing"}) {
    values.insert(QString::fromLatin1(key), file.value(QString::fromLatin1(key)).toString());
  }
  return values;
}

Settings Sample(int variant) {
  Settings s;
  switch (variant) {
    case 1:  // the lowest of every range, every flag off
      s.feeling = 1;
      s.timePause = 50;
      s.zoomStep = 0.01;
      s.width = 1;
      s.color = 0;
      s.endsOff = s.pointVisible = s.lineVisible = s.circleVisible = false;
      s.pointName = "Т";
      s.lineName = "п";
      s.circleName = "О";
      break;
    case 2:  // the highest of every range, names of full length
      s.feeling = 15;
      s.timePause = 10000;
      s.zoomStep = 0.15;
      s.width = 7;
      s.color = 13;
      s.pointName = "ТочкаТочкаТо";
      s.lineName = "abcdefghijkl";
      s.circleName = "Окружность12";
      s.nameFont = "A font not installed here";
      s.smoothing = true;
      break;
    case 3:  // in between, flags mixed
      s.feeling = 8;
      s.timePause = 1234;
      s.zoomStep = 0.08;
      s.width = 4;
      s.color = 6;
      s.lineVisible = false;
      s.endsOff = false;
      break;
    default:
      break;
  }
  return s;
}

}  // namespace

class OptionsFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR)), "build the data_files target");
  }

  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    iniFile_ = dir_->filePath(QStringLiteral("settings.ini"));
  }

  // Opening the dialog and pressing "Согласен" stores what was loaded.
  void roundTrip_data() {
    QTest::addColumn<int>("variant");
    QTest::newRow("defaults") << 0;
    QTest::newRow("lowest") << 1;
    QTest::newRow("highest") << 2;
    QTest::newRow("in between") << 3;
  }
  void roundTrip() {
    QFETCH(int, variant);
    QtSettingsStore store(iniFile_.toStdString());
    LoadSettings(store, "/program");  // a first start creates the store
    Settings written = Sample(variant);
    QVERIFY(ApplyOptions(store, written, written));
    QVERIFY(store.Flush());

    QtSettingsStore reader(iniFile_.toStdString());
    Settings loaded = LoadSettings(reader, "/program");
    QCOMPARE(loaded, Sample(variant));
    const QMap<QString, QString> before = StoredOptions(iniFile_);
    {
      TOptionsForm form(nullptr, DialogContext{}, reader, loaded, OptionsPage::kGeneral);
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
      QVERIFY(!form.isVisible());
      QVERIFY(form.Saved());
    }
    QVERIFY(reader.Flush());
    QCOMPARE(loaded, Sample(variant));
    QCOMPARE(StoredOptions(iniFile_), before);
  }

  // Every zoom speed the dialog offers comes back as it went in.
  void everyZoomStepRoundTrips() {
    QtSettingsStore store(iniFile_.toStdString());
    QVERIFY(store.Open(true));
    for (int percent = 1; percent <= 15; ++percent) {
      store.WriteInt("ZoomStep", percent);
      Settings settings = LoadSettings(store, "/program");
      TOptionsForm form(nullptr, DialogContext{}, store, settings, OptionsPage::kGeneral);
      QCOMPARE(form.ZoomStepEdit()->value(), percent);
      form.Confirm();
      QCOMPARE(store.ReadInt("ZoomStep"), std::optional<int>(percent));
      QCOMPARE(ZoomStepPercent(settings.zoomStep), percent);
    }
  }

  void rangesClamped_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");
    QTest::newRow("Feeling too high") << "Feeling" << 99 << 15;
    QTest::newRow("Feeling zero") << "Feeling" << 0 << 1;
    QTest::newRow("Time Pause too short") << "Time Pause" << 10 << 50;
    QTest::newRow("Time Pause too long") << "Time Pause" << 60000 << 10000;
    QTest::newRow("Width too thick") << "Width" << 9 << 7;
    QTest::newRow("Width negative") << "Width" << -3 << 1;
    QTest::newRow("Color red") << "Color" << 14 << 13;
    QTest::newRow("Color negative") << "Color" << -1 << 0;
    QTest::newRow("ZoomStep too fast") << "ZoomStep" << 40 << 15;
  }
  // A value out of range in memory is shown, and stored, within its range.
  void rangesClamped() {
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(int, shown);
    Settings settings;
    if (field == "Feeling") settings.feeling = value;
    if (field == "Time Pause") settings.timePause = value;
    if (field == "Width") settings.width = value;
    if (field == "Color") settings.color = value;
    if (field == "ZoomStep") settings.zoomStep = value / 100.0;
    QtSettingsStore store(iniFile_.toStdString());
    QVERIFY(store.Open(true));
    store.WriteString("Path", "/program");
    TOptionsForm form(nullptr, DialogContext{}, store, settings, OptionsPage::kGeneral);
    const std::map<QString, int> onScreen = {
        {"Feeling", form.FeelingEdit()->value()},   {"Time Pause", form.TimePauseEdit()->value()},
        {"Width", form.WidthEdit()->value()},       {"Color", form.ColorSelector()->ColorNumber()},
        {"ZoomStep", form.ZoomStepEdit()->value()},
    };
    QCOMPARE(onScreen.at(field), shown);
    form.Confirm();
    QVERIFY(store.Flush());
    QCOMPARE(StoredOptions(iniFile_).value(field), QString::number(shown));
  }

  // Each control, changed as a user would, reaches memory and the store.
  void editsAreStored() {
    QtSettingsStore store(iniFile_.toStdString());
    QVERIFY(store.Open(true));
    Settings settings = LoadSettings(store, "/program");
    TOptionsForm form(nullptr, DialogContext{}, store, settings, OptionsPage::kGeneral);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.FeelingEdit()->setValue(9);
    form.TimePauseEdit()->setValue(700);
    const int fontIndex = form.FontList()->count() - 1;
    form.FontList()->setCurrentIndex(fontIndex);
    const QString font = form.FontList()->currentText();
    form.ZoomStepEdit()->setValue(12);
    QTest::mouseClick(form.SmoothingBox(), Qt::LeftButton);
    QTest::mouseClick(form.DefaultsTab(), Qt::LeftButton);
    QTest::mouseClick(form.EndsOffBox(), Qt::LeftButton);
    form.WidthEdit()->setValue(3);
    TZMColorSelector* colors = form.ColorSelector();
    QTest::mouseClick(colors, Qt::LeftButton, {}, colors->CellRect(11).center());
    for (auto kind : {TOptionsForm::kPoint, TOptionsForm::kLine, TOptionsForm::kCircle}) {
      form.NameEdit(kind)->selectAll();
      Type(form.NameEdit(kind), QStringLiteral("Ж%1").arg(int(kind)));
      QTest::mouseClick(form.NameVisibleBox(kind), Qt::LeftButton);
    }
    QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("OkButton")), Qt::LeftButton);

    Settings expected;
    expected.feeling = 9;
    expected.timePause = 700;
    expected.nameFont = font.toStdString();
    expected.zoomStep = 0.12;
    expected.smoothing = true;
    expected.endsOff = false;
    expected.width = 3;
    expected.color = 11;
    expected.pointName = "Ж0";
    expected.lineName = "Ж1";
    expected.circleName = "Ж2";
    expected.pointVisible = expected.lineVisible = expected.circleVisible = false;
    QCOMPARE(settings, expected);
    QVERIFY(store.Flush());
    QtSettingsStore reader(iniFile_.toStdString());
    QCOMPARE(LoadSettings(reader, "/program"), expected);
  }

  void cancelChangesNothing_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Отмена") << false;
    QTest::newRow("Escape") << true;
  }
  void cancelChangesNothing() {
    QFETCH(bool, byEscape);
    QtSettingsStore store(iniFile_.toStdString());
    QVERIFY(store.Open(true));
    Settings settings = LoadSettings(store, "/program");
    QVERIFY(store.Flush());
    const Settings before = settings;
    const QMap<QString, QString> stored = StoredOptions(iniFile_);
    TOptionsForm form(nullptr, DialogContext{}, store, settings, OptionsPage::kDefaults);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.FeelingEdit()->setValue(2);
    form.WidthEdit()->setValue(6);
    form.ColorSelector()->SetColorNumber(5);
    form.NameEdit(TOptionsForm::kPoint)->setText(QStringLiteral("Q"));
    if (byEscape) {
      QTest::keyClick(&form, Qt::Key_Escape);
    } else {
      QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("CancelButton")),
                        Qt::LeftButton);
    }
    QVERIFY(!form.isVisible());
    QVERIFY(!form.Saved());
    QCOMPARE(settings, before);
    QVERIFY(store.Flush());
    QCOMPARE(StoredOptions(iniFile_), stored);
  }

  void namePrefixesRefuse_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("field separator") << QStringLiteral("P;Q") << QStringLiteral("PQ");
    QTest::newRow("outside Windows-1251") << QStringLiteral("Aα中B") << QStringLiteral("AB");
    QTest::newRow("more than 12") << QStringLiteral("Abcdefghijklmn")
                                  << QStringLiteral("Abcdefghijkl");
    QTest::newRow("Cyrillic") << QStringLiteral("Точка") << QStringLiteral("Точка");
  }
  void namePrefixesRefuse() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QtSettingsStore store(iniFile_.toStdString());
    Settings settings;
    TOptionsForm form(nullptr, DialogContext{}, store, settings, OptionsPage::kDefaults);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (auto kind : {TOptionsForm::kPoint, TOptionsForm::kLine, TOptionsForm::kCircle}) {
      QLineEdit* edit = form.NameEdit(kind);
      edit->setFocus();
      edit->selectAll();
      Type(edit, typed);
      QCOMPARE(edit->text(), kept);
    }
  }

  void pagesAndTabs_data() {
    QTest::addColumn<int>("opened");
    QTest::addColumn<int>("clicked");  // 0: no tab clicked
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("generalImage");
    QTest::addColumn<int>("defaultsImage");
    QTest::newRow("opened on page 1")
        << 1 << 0 << 1 << int(kGeneralTabActive) << int(kDefaultsTabInactive);
    QTest::newRow("opened on page 2")
        << 2 << 0 << 2 << int(kGeneralTabInactive) << int(kDefaultsTabActive);
    QTest::newRow("tab 2 clicked")
        << 1 << 2 << 2 << int(kGeneralTabInactive) << int(kDefaultsTabActive);
    QTest::newRow("tab 1 clicked")
        << 2 << 1 << 1 << int(kGeneralTabActive) << int(kDefaultsTabInactive);
  }
  void pagesAndTabs() {
    QFETCH(int, opened);
    QFETCH(int, clicked);
    QFETCH(int, page);
    QFETCH(int, generalImage);
    QFETCH(int, defaultsImage);
    QtSettingsStore store(iniFile_.toStdString());
    Settings settings;
    TOptionsForm form(nullptr, DialogContext{}, store, settings, OptionsPage(opened));
    QCOMPARE(form.windowTitle(), QStringLiteral("Настройка"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    if (clicked == 1) QTest::mouseClick(form.GeneralTab(), Qt::LeftButton);
    if (clicked == 2) QTest::mouseClick(form.DefaultsTab(), Qt::LeftButton);
    QCOMPARE(int(form.Page()), page);
    // The controls of the page asked for are the ones on screen.
    QCOMPARE(form.FeelingEdit()->isVisible(), page == 1);
    QCOMPARE(form.WidthEdit()->isVisible(), page == 2);
    const auto picture = [](QWidget* tab) {
      return tab->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    QCOMPARE(picture(form.GeneralTab()),
             PackPixmaps::Image(generalImage).convertToFormat(QImage::Format_RGB32));
    QCOMPARE(picture(form.DefaultsTab()),
             PackPixmaps::Image(defaultsImage).convertToFormat(QImage::Format_RGB32));
  }

  void helpKey_data() {
    QTest::addColumn<bool>("pageExists");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("error");
    QTest::newRow("page there") << true << QStringLiteral("Настройка.htm") << 0;
    QTest::newRow("page missing") << false << QString() << 6;
  }
  void helpKey() {
    QFETCH(bool, pageExists);
    QFETCH(QString, opened);
    QFETCH(int, error);
    QDir(dir_->path()).mkdir(QStringLiteral("Help"));
    if (pageExists) {
      QFile page(dir_->filePath(QStringLiteral("Help/Настройка.htm")));
      QVERIFY(page.open(QIODevice::WriteOnly));
    }
    QString openedFile;
    int shownError = 0;
    DialogContext context;
    context.programFolder = dir_->path();
    context.openUrl = [&](const QUrl& url) {
      openedFile = QFileInfo(url.toLocalFile()).fileName();
      return true;
    };
    context.showError = [&](int number) { shownError = number; };
    QtSettingsStore store(iniFile_.toStdString());
    Settings settings;
    TOptionsForm form(nullptr, context, store, settings, OptionsPage::kGeneral);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(form.FeelingEdit(), Qt::Key_F1);
    QCOMPARE(openedFile, opened);
    QCOMPARE(shownError, error);
    QVERIFY(form.isVisible());
  }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  QString iniFile_;
};

QTEST_MAIN(OptionsFormTest)
#include "options_form_test.moc"
