// The small windows every part of the program shares: the error message,
// the hint strip, the about box, the splash picture and the file properties.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "dialogs/about_form.h"
#include "dialogs/file_properties_form.h"
#include "dialogs/help_form.h"
#include "dialogs/msg_form.h"
#include "dialogs/splash_form.h"
#include "document/cp1251.h"
#include "document/line_code.h"
#include "render/pack_pixmaps.h"
#include "support/memory_settings_store.h"

using namespace zelmora;

namespace {

// A program folder with an error table of our own: entry 6 only.
void WriteErrorTable(const QString& folder) {
  QFile table(QDir(folder).filePath(QStringLiteral("Lollypop.zmr")));
  QVERIFY(table.open(QIODevice::WriteOnly));
  for (const char* line : {"1-Чертёж не читается", "6-Справки нет"}) {
    const std::string encoded = EncodeLine(*Utf8ToCp1251(line)) + "\r\n";
    table.write(encoded.data(), static_cast<qint64>(encoded.size()));
  }
}

// Typing as a keyboard would, Cyrillic included (keyClicks takes ASCII only).
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c == QLatin1Char('\n')) {
      QTest::keyClick(widget, Qt::Key_Return);
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

void SendMouse(QWidget* window, QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
  const QPoint local = window->mapFromGlobal(global);
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
  QApplication::sendEvent(window, &event);
}

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR)), "build the data_files target");
    QVERIFY(folder_.isValid());
    WriteErrorTable(folder_.path());
  }

  void errorText_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    const QString own = folder_.path();
    QTest::newRow("entry of our table") << own << 6 << QStringLiteral("Справки нет");
    QTest::newRow("a number the table lacks") << own << 7 << QStringLiteral("Error");
    QTest::newRow("1 is not 10 or 12") << own << 1 << QStringLiteral("Чертёж не читается");
    QTest::newRow("shipped table, help page missing")
        << QStringLiteral(ZELMORA_BIN_DIR) << 6
        << QStringLiteral("Не удаётся открыть страницу справки. Возможно, справка не установлена.");
    QTest::newRow("shipped table, unused number 3")
        << QStringLiteral(ZELMORA_BIN_DIR) << 3 << QStringLiteral("Error");
  }
  void errorText() {
    QFETCH(QString, folder);
    QFETCH(int, number);
    QFETCH(QString, text);
    std::unique_ptr<QDialog> window = MakeErrorWindow(nullptr, number, folder);
    auto* message = qobject_cast<TMsgForm*>(window.get());
    QVERIFY(message != nullptr);
    QCOMPARE(message->Text(), text);
    QCOMPARE(message->size(), QSize(TMsgForm::kWidth, TMsgForm::kHeight));
  }

  // Without its table the program still says that something went wrong,
  // and which error it was.
  void errorWithoutTable() {
    QTemporaryDir empty;
    std::unique_ptr<QDialog> window = MakeErrorWindow(nullptr, 5, empty.path());
    QVERIFY(qobject_cast<TMsgForm*>(window.get()) == nullptr);
    auto* box = qobject_cast<QMessageBox*>(window.get());
    QVERIFY(box != nullptr);
    QVERIFY(box->text().contains(QStringLiteral("Lollypop.zmr")));
    QVERIFY(box->text().startsWith(QStringLiteral("Ошибка 5.")));
  }

  void gotItCloses_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("button Понял") << false;
    QTest::newRow("Enter") << true;
  }
  void gotItCloses() {
    QFETCH(bool, byKey);
    TMsgForm form(nullptr, QStringLiteral("Справки нет"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.CloseButton()->text(), QStringLiteral("Понял"));
    if (byKey) {
      QTest::keyClick(&form, Qt::Key_Return);
    } else {
      QTest::mouseClick(form.CloseButton(), Qt::LeftButton);
    }
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
  }

  void hintWindowStartsWithItsHint() {
    THelpForm hint;
    QCOMPARE(hint.Text(), QStringLiteral("Жми F1 для помощи"));
    QCOMPARE(hint.size(), QSize(THelpForm::kWidth, THelpForm::kHeight));
    const Qt::WindowFlags flags = hint.windowFlags();
    // Above its main window only: never above the browser that F1 opens.
    QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::Tool));
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    hint.SetText(QStringLiteral("Выберите первую точку"));
    QCOMPARE(hint.Text(), QStringLiteral("Выберите первую точку"));
  }

  void hintWindowPosition_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("defaults") << 450 << 40;
    QTest::newRow("corner") << 0 << 0;
    QTest::newRow("far") << 900 << 600;
  }
  // What the settings save at exit puts the window back at the next start.
  void hintWindowPosition() {
    QFETCH(int, left);
    QFETCH(int, top);
    THelpForm hint;
    hint.SetPosition(left, top);
    hint.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hint));
    QCOMPARE(hint.Left(), left);
    QCOMPARE(hint.Top(), top);
    THelpForm nextRun;
    nextRun.SetPosition(hint.Left(), hint.Top());
    QCOMPARE(QPoint(nextRun.Left(), nextRun.Top()), QPoint(left, top));
  }

  void hintWindowDrags_data() {
    QTest::addColumn<QPoint>("grab");
    QTest::addColumn<QPoint>("shift");
    QTest::newRow("by the text") << QPoint(171, 31) << QPoint(40, 25);
    QTest::newRow("by the corner") << QPoint(1, 1) << QPoint(-30, 60);
    QTest::newRow("by the edge") << QPoint(340, 60) << QPoint(5, -5);
  }
  void hintWindowDrags() {
    QFETCH(QPoint, grab);
    QFETCH(QPoint, shift);
    THelpForm hint;
    hint.SetPosition(300, 200);
    hint.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hint));
    const QPoint start = hint.mapToGlobal(grab);
    SendMouse(&hint, QEvent::MouseButtonPress, start, Qt::LeftButton);
    SendMouse(&hint, QEvent::MouseMove, start + shift / 2, Qt::LeftButton);
    SendMouse(&hint, QEvent::MouseMove, start + shift, Qt::LeftButton);
    SendMouse(&hint, QEvent::MouseButtonRelease, start + shift, Qt::NoButton);
    QCOMPARE(QPoint(hint.Left(), hint.Top()), QPoint(300, 200) + shift);
    // Once released, moving the pointer leaves the window where it is.
    SendMouse(&hint, QEvent::MouseMove, start + shift * 2, Qt::NoButton);
    QCOMPARE(QPoint(hint.Left(), hint.Top()), QPoint(300, 200) + shift);
  }

  void aboutLinks_data() {
    QTest::addColumn<bool>("mail");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("message");
    const QString site = QStringLiteral("https://zelmora.example/");
    const QString mail = QStringLiteral("mailto:team@zelmora.example");
    const QString failed = QStringLiteral("Ошибка при загрузке сайта.");
    QTest::newRow("site opens") << false << true << site << QString();
    QTest::newRow("site fails") << false << false << site << failed;
    QTest::newRow("mail opens") << true << true << mail << QString();
    QTest::newRow("mail fails") << true << false << mail << failed;
  }
  void aboutLinks() {
    QFETCH(bool, mail);
    QFETCH(bool, opens);
    QFETCH(QString, url);
    QFETCH(QString, message);
    QStringList opened;
    QString shown;
    DialogContext context;
    context.openUrl = [&](const QUrl& u) {
      opened << u.toString();
      return opens;
    };
    TAbForm about(nullptr, context);
    about.SetMessageShower([&](const QString& text) { shown = text; });
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    LinkLabel* link = mail ? about.MailLink() : about.SiteLink();
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(opened, QStringList{url});
    QCOMPARE(shown, message);
    QVERIFY(about.isVisible());
  }

  void aboutBoxOnFirstRun_data() {
    QTest::addColumn<int>("firstRun");  // -1: the value is not stored
    QTest::addColumn<bool>("shown");
    QTest::newRow("never run before") << 0 << true;
    QTest::newRow("run before") << 1 << false;
    QTest::newRow("never recorded") << -1 << true;
  }
  // The box opens by itself once; the store remembers that it has.
  void aboutBoxOnFirstRun() {
    QFETCH(int, firstRun);
    QFETCH(bool, shown);
    MemorySettingsStore store;
    store.exists = true;
    if (firstRun >= 0) store.values["FirstRun"] = firstRun;
    QStringList opened;
    const auto closeAbout = [&] {
      QTimer::singleShot(0, [&] {
        if (auto* about = qobject_cast<TAbForm*>(QApplication::activeModalWidget())) {
          opened << about->windowTitle();
          about->close();
        }
      });
    };
    closeAbout();
    QCOMPARE(ShowAboutOnFirstRun(nullptr, store, DialogContext{}), shown);
    QCOMPARE(opened, shown ? QStringList{"О программе"} : QStringList{});
    QCOMPARE(store.ReadBool("FirstRun"), std::optional<bool>(true));
    // The next activation, or the next start, does not show it again.
    closeAbout();
    QVERIFY(!ShowAboutOnFirstRun(nullptr, store, DialogContext{}));
    QCoreApplication::processEvents();
    QCOMPARE(opened.size(), shown ? 1 : 0);
  }

  void splashIsCentredPicture() {
    TSplForm splash;
    splash.ShowNow();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.size(), QSize(450, 320));
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY((splash.geometry().center() - screen.center()).manhattanLength() <= 2);
    // The window shows exactly its picture.
    QCOMPARE(splash.grab().toImage().convertToFormat(QImage::Format_RGB32),
             TSplForm::Picture().convertToFormat(QImage::Format_RGB32));
  }

  void commentLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no comment") << QStringList{};
    QTest::newRow("one line") << QStringList{"Задача 5"};
    QTest::newRow("one empty line") << QStringList{""};
    QTest::newRow("empty line inside") << QStringList{"а", "", "б"};
    QTest::newRow("empty lines at the end") << QStringList{"а", "", ""};
  }
  // Opening the dialog and pressing "Согласен" keeps the comment as it was.
  void commentLines() {
    QFETCH(QStringList, lines);
    DocumentInfo info;
    info.author = "Иванов";
    for (const QString& line : lines) info.comment.push_back(line.toStdString());
    const DocumentInfo before = info;
    TFilePropertiesForm form(nullptr, DialogContext{}, info);
    form.Confirm();
    QVERIFY(info == before);
  }

  void filePropertiesEdits_data() {
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("typedAuthor");
    QTest::addColumn<QString>("typedComment");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QStringList>("comment");
    QTest::newRow("Согласен keeps both")
        << true << QStringLiteral(" и Петров") << QStringLiteral("\nвторая строка")
        << QStringLiteral("Иванов и Петров") << QStringList{"Задача 5", "вторая строка"};
    QTest::newRow("Отмена keeps neither")
        << false << QStringLiteral(" и Петров") << QStringLiteral("\nвторая")
        << QStringLiteral("Иванов") << QStringList{"Задача 5"};
    QTest::newRow("characters the files cannot hold are refused")
        << true << QStringLiteral("中✓") << QStringLiteral("π≈3,14") << QStringLiteral("Иванов")
        << QStringList{"Задача 53,14"};
  }
  void filePropertiesEdits() {
    QFETCH(bool, confirm);
    QFETCH(QString, typedAuthor);
    QFETCH(QString, typedComment);
    QFETCH(QString, author);
    QFETCH(QStringList, comment);
    DocumentInfo info{"Иванов", {"Задача 5"}};
    TFilePropertiesForm form(nullptr, DialogContext{}, info);
    QCOMPARE(form.windowTitle(), QStringLiteral("Свойства файла"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QLineEdit* authorEdit = form.AuthorEdit();
    authorEdit->setFocus();
    authorEdit->end(false);
    Type(authorEdit, typedAuthor);
    QPlainTextEdit* memo = form.CommentMemo();
    memo->moveCursor(QTextCursor::End);
    Type(memo, typedComment);
    auto* button = form.findChild<QToolButton*>(confirm ? QStringLiteral("OkButton")
                                                        : QStringLiteral("CancelButton"));
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(QString::fromStdString(info.author), author);
    QStringList stored;
    for (const std::string& line : info.comment) stored << QString::fromStdString(line);
    QCOMPARE(stored, comment);
  }

  void filePropertiesPasteDropsUnfitCharacters() {
    DocumentInfo info;
    TFilePropertiesForm form(nullptr, DialogContext{}, info);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QApplication::clipboard()->setText(QStringLiteral("угол α = 30°"));
    form.CommentMemo()->setFocus();
    QTest::keyClick(form.CommentMemo(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form.CommentMemo()->toPlainText(), QStringLiteral("угол  = 30°"));
  }

  void helpPages_data() {
    QTest::addColumn<bool>("pageExists");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("error");
    QTest::newRow("file properties, page there")
        << true << QStringLiteral("Работа с файлами.htm") << 0;
    QTest::newRow("file properties, page missing") << false << QString() << 6;
  }
  void helpPages() {
    QFETCH(bool, pageExists);
    QFETCH(QString, opened);
    QFETCH(int, error);
    QTemporaryDir program;
    QDir(program.path()).mkdir(QStringLiteral("Help"));
    if (pageExists) {
      QFile page(program.filePath(QStringLiteral("Help/Работа с файлами.htm")));
      QVERIFY(page.open(QIODevice::WriteOnly));
    }
    QString openedFile;
    int shownError = 0;
    DialogContext context;
    context.programFolder = program.path();
    context.openUrl = [&](const QUrl& url) {
      openedFile = QFileInfo(url.toLocalFile()).fileName();
      return true;
    };
    context.showError = [&](int number) { shownError = number; };
    DocumentInfo info;
    TFilePropertiesForm form(nullptr, context, info);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(form.AuthorEdit(), Qt::Key_F1);
    QCOMPARE(openedFile, opened);
    QCOMPARE(shownError, error);
    QVERIFY(form.isVisible());
  }

 private:
  QTemporaryDir folder_;
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
