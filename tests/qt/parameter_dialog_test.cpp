#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <vector>

#include "dialogs/creation_dialogs.h"
#include "dialogs/ins_form.h"
#include "geometry/tg_point.h"
#include "interaction/editor.h"
#include "support/fake_editor_view.h"

using zelmora::DialogContext;
using zelmora::ParameterKind;
using zelmora::TInsForm;

Q_DECLARE_METATYPE(zelmora::ParameterKind)

namespace {

// Answers the next modal dialog with `answer` once it is open; a dialog
// nobody answers is cancelled after a while, so no test waits forever.
class ModalAnswer {
 public:
  explicit ModalAnswer(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] {
      if (QWidget* dialog = QApplication::activeModalWidget()) answer(dialog);
    });
    guard_.setSingleShot(true);
    QObject::connect(&guard_, &QTimer::timeout, [] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        dialog->reject();
      QFAIL("the dialog was not answered");
    });
    guard_.start(5000);
  }

 private:
  QTimer guard_;
};

// Empties the entry and types `text` into it key by key.
void TypeInto(QWidget* dialog, const QString& text) {
  auto* entry = dialog->findChild<zelmora::ParameterSpinEdit*>(QStringLiteral("RxSpinEdit1"));
  QVERIFY(entry != nullptr);
  entry->setFocus();
  entry->selectAll();
  QTest::keyClick(entry, Qt::Key_Delete);
  QTest::keyClicks(entry, text);
}

// An editor window whose parameter question opens the real dialog.
class DialogEditorView : public zelmora::testing::FakeEditorView {
 public:
  std::optional<double> AskParameter(ParameterKind kind) override {
    askedParameters.push_back(kind);
    return zelmora::RunParameterDialog(nullptr, kind, DialogContext{});
  }
};

}  // namespace

class ParameterDialogTest : public QObject {
  Q_OBJECT

 private:
  std::vector<int> errors_;

  DialogContext Context(const QString& folder = QString()) {
    DialogContext context;
    context.programFolder = folder;
    context.showError = [this](int number) { errors_.push_back(number); };
    context.openUrl = [](const QUrl&) { return true; };
    return context;
  }

  std::unique_ptr<TInsForm> OpenForm(ParameterKind kind) {
    auto form = std::make_unique<TInsForm>(nullptr, Context(), kind);
    form->show();
    return form;
  }

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() { errors_.clear(); }

  void titleAndInitialValueFollowTheMethod_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("value");
    QTest::newRow("constant distance")
        << 10 << QStringLiteral("Укажите расстояние") << QStringLiteral("150.0000") << 150.0;
    QTest::newRow("constant angle")
        << 107 << QStringLiteral("Укажите угол") << QStringLiteral("45.0000") << 45.0;
  }
  void titleAndInitialValueFollowTheMethod() {
    QFETCH(int, method);
    QFETCH(QString, title);
    QFETCH(QString, shown);
    QFETCH(double, value);
    auto form = OpenForm(
        zelmora::Info(zelmora::CommandWithCode(zelmora::MethodCode{method}).value()).parameter);
    QCOMPARE(form->Title(), title);
    QCOMPARE(form->Entry()->text(), shown);
    QTest::keyClick(form->Entry(), Qt::Key_Return);
    QVERIFY(form->isHidden());
    QCOMPARE(form->Parameter(), std::optional<double>(value));
  }

  void typedTextIsReadAsANumber_data() {
    QTest::addColumn<ParameterKind>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // what the entry holds after typing
    QTest::addColumn<double>("value");
    const auto D = ParameterKind::Distance, A = ParameterKind::Angle;
    // Leaving the entry for "Согласен" must keep the text as typed too.
    QTest::newRow("above the maximum, by the button") << D << "5000"
                                                      << "5000" << 5000.0;
    QTest::newRow("above the maximum") << D << "5000"
                                       << "5000" << 5000.0;
    QTest::newRow("negative") << D << "-20"
                              << "-20" << -20.0;
    QTest::newRow("angle above 360") << A << "720"
                                     << "720" << 720.0;
    QTest::newRow("decimals") << A << "12.5"
                              << "12.5" << 12.5;
    QTest::newRow("exponent") << D << "1e3"
                              << "1e3" << 1000.0;
    QTest::newRow("plus sign") << D << "+7"
                               << "+7" << 7.0;
    QTest::newRow("empty") << D << ""
                           << "" << 0.0;
    QTest::newRow("letters are refused") << D << "abc"
                                         << "" << 0.0;
    QTest::newRow("letters between digits") << D << "1x2"
                                            << "12" << 12.0;
    QTest::newRow("second separator refused") << D << "1.2.3"
                                              << "1.23" << 1.23;
    QTest::newRow("second exponent refused") << D << "2e2e"
                                             << "2e2" << 200.0;
    QTest::newRow("comma is not the separator here") << D << "1,5"
                                                     << "15" << 15.0;
    QTest::newRow("signs only") << D << "--"
                                << "--" << 0.0;
    QTest::newRow("too large for a number") << D << "1e999"
                                            << "1e999" << 0.0;
    QTest::newRow("exponent without digits") << A << "e"
                                             << "e" << 0.0;
  }
  void typedTextIsReadAsANumber() {
    QFETCH(ParameterKind, kind);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, value);
    auto form = OpenForm(kind);
    TypeInto(form.get(), typed);
    QCOMPARE(form->Entry()->text(), shown);
    if (QString(QTest::currentDataTag()).endsWith("by the button")) {
      auto* ok = form->findChild<QToolButton*>(QStringLiteral("OkButton"));
      QCOMPARE(ok->text(), QStringLiteral("Согласен"));
      QApplication::setActiveWindow(form.get());
      QVERIFY(QTest::qWaitForWindowActive(form.get()));
      ok->setFocus();
      QCOMPARE(QApplication::focusWidget(), ok);
      QCOMPARE(form->Entry()->text(), shown);
      QTest::mouseClick(ok, Qt::LeftButton);
    } else {
      QTest::keyClick(form->Entry(), Qt::Key_Enter);
    }
    QVERIFY(form->isHidden());
    QCOMPARE(form->Parameter(), std::optional<double>(value));
  }

  void arrowKeysStayWithinTheLimits_data() {
    QTest::addColumn<ParameterKind>("kind");
    QTest::addColumn<QString>("typed");  // empty: the initial value
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("shown");
    const auto D = ParameterKind::Distance, A = ParameterKind::Angle;
    const int up = Qt::Key_Up, down = Qt::Key_Down;
    QTest::newRow("distance up") << D << "" << up << 2 << "152.0000";
    QTest::newRow("angle down") << A << "" << down << 3 << "42.0000";
    QTest::newRow("stops at 360") << A << "359.5" << up << 3 << "360.0000";
    QTest::newRow("stops at 0") << D << "0.5" << down << 2 << "0.0000";
    QTest::newRow("from above the maximum") << D << "5000" << down << 1 << "4096.0000";
    QTest::newRow("from below the minimum") << A << "-3" << up << 1 << "0.0000";
    QTest::newRow("from a non-number") << D << "e" << up << 1 << "1.0000";
  }
  void arrowKeysStayWithinTheLimits() {
    QFETCH(ParameterKind, kind);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(QString, shown);
    auto form = OpenForm(kind);
    if (!typed.isEmpty()) TypeInto(form.get(), typed);
    for (int i = 0; i < presses; ++i) QTest::keyClick(form->Entry(), static_cast<Qt::Key>(key));
    QCOMPARE(form->Entry()->text(), shown);
  }

  void theLocaleDecidesTheSeparator() {
    TInsForm form(nullptr, Context(), ParameterKind::Angle);
    form.Entry()->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    form.Entry()->SetValue(45);
    form.show();
    QCOMPARE(form.Entry()->text(), QStringLiteral("45,0000"));
    TypeInto(&form, QStringLiteral("2.5,7"));
    QCOMPARE(form.Entry()->text(), QStringLiteral("25,7"));
    QTest::keyClick(form.Entry(), Qt::Key_Return);
    QCOMPARE(form.Parameter(), std::optional<double>(25.7));
  }

  void cancellingGivesNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("Отмена") << false;
  }
  void cancellingGivesNothing() {
    QFETCH(bool, escape);
    auto form = OpenForm(ParameterKind::Distance);
    TypeInto(form.get(), QStringLiteral("77"));
    if (escape) {
      QTest::keyClick(form->Entry(), Qt::Key_Escape);
    } else {
      auto* cancel = form->findChild<QToolButton*>(QStringLiteral("CancelButton"));
      QCOMPARE(cancel->text(), QStringLiteral("Отмена"));
      QTest::mouseClick(cancel, Qt::LeftButton);
    }
    QVERIFY(form->isHidden());
    QCOMPARE(form->Parameter(), std::nullopt);
  }

  void f1WithoutHelpPageReportsError6() {
    QTemporaryDir program;
    TInsForm form(nullptr, Context(program.path()), ParameterKind::Angle);
    form.show();
    QTest::keyClick(form.Entry(), Qt::Key_F1);
    QCOMPARE(errors_, std::vector<int>{6});
    QVERIFY(form.isVisible());

    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Help")));
    QFile page(QDir(program.path()).filePath(QStringLiteral("Help/Способы задания.htm")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    QTest::keyClick(form.Entry(), Qt::Key_F1);
    QCOMPARE(errors_, std::vector<int>{6});
  }

  // The whole way: a constant-distance construction asks the real dialog.
  void editorBuildsWithTheTypedDistance_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<double>("x");  // of the new point; NaN: nothing built
    QTest::newRow("typed beyond the limit") << QStringLiteral("5000") << true << 5100.0;
    QTest::newRow("not a number") << QStringLiteral("-") << true << 100.0;
    QTest::newRow("cancelled") << QStringLiteral("50") << false << qQNaN();
  }
  void editorBuildsWithTheTypedDistance() {
    QFETCH(QString, typed);
    QFETCH(bool, confirm);
    QFETCH(double, x);
    DialogEditorView view;
    zelmora::testing::TableConstructionTables tables;
    zelmora::Editor editor(view, tables);
    editor.Resize(800, 600, 1000, 700);
    for (double px : {100.0, 300.0}) {
      zelmora::TGPoint& p = editor.Objects().AddPoint();
      p.X = px;
      p.Y = 100;
      p.MustDraw = true;
    }
    editor.StartCreation(zelmora::Command::PointAtDistance);
    ModalAnswer answer([typed, confirm](QWidget* dialog) {
      TypeInto(dialog, typed);
      QTest::keyClick(dialog, confirm ? Qt::Key_Return : Qt::Key_Escape);
    });
    editor.MenuSelect(0);
    editor.MenuSelect(1);
    QCOMPARE(view.askedParameters, std::vector<ParameterKind>{ParameterKind::Distance});
    const zelmora::ObjectList& list = editor.Objects();
    if (qIsNaN(x)) {
      QCOMPARE(list.size(), std::size_t{2});
      return;
    }
    QCOMPARE(list.size(), std::size_t{4});  // the length value and the point
    const auto* point = dynamic_cast<const zelmora::TGPoint*>(&list.back());
    QVERIFY(point != nullptr);
    QCOMPARE(point->X, x);
    QCOMPARE(point->Y, 100.0);
  }
};

QTEST_MAIN(ParameterDialogTest)
#include "parameter_dialog_test.moc"
