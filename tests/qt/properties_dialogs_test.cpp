#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "controls/zm_color_selector.h"
#include "dialogs/properties_form.h"
#include "dialogs/spisok_form.h"
#include "document/text_table.h"
#include "render/pack_pixmaps.h"
#include "window_under_test.h"

using namespace zelmora;

namespace {

enum class Shape { kPoint, kFullLine, kSegment, kRay, kCircle };

// A drawing of one object of `shape`, named "A1", width 1, solid, drawn,
// EndsOff on; the drawing is not modified.
struct OneObject {
  ObjectList list;
  TGObject* object = nullptr;

  explicit OneObject(Shape shape) {
    if (shape == Shape::kPoint || shape == Shape::kCircle) {
      object =
          shape == Shape::kPoint ? static_cast<TGObject*>(&list.AddPoint()) : &list.AddCircle();
    } else {
      TGLine& line = list.AddLine();
      line.Bounded1 = shape == Shape::kSegment || shape == Shape::kRay;
      line.Bounded2 = shape == Shape::kSegment;
      object = &line;
    }
    using M = ConstructionMethod;
    const M freeMethod = shape == Shape::kPoint    ? M::FreePoint
                         : shape == Shape::kCircle ? M::FreeCircle
                                                   : M::FreeLine;
    list.Complete(*object, {}, CodeOf(freeMethod));
    object->Name = "A1";
    list.ClearModified();
  }

  // The dialog of its kind, shown.
  std::unique_ptr<TPropertiesForm> Open(const DialogContext& context) {
    std::unique_ptr<TPropertiesForm> form;
    if (object->Kind() == kPointKind)
      form = std::make_unique<TPointForm>(nullptr, context, list, 0);
    if (object->Kind() == kLineKind) form = std::make_unique<TLineForm>(nullptr, context, list, 0);
    if (object->Kind() == kCircleKind) {
      form = std::make_unique<TCircleForm>(nullptr, context, list, 0);
    }
    form->show();
    return form;
  }
};

void Press(const QWidget& form, const char* button) {
  QTest::mouseClick(form.findChild<QToolButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

// QTest::keyClicks sends Latin-1 only; a user types Russian names.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, c, {});
}

}  // namespace

Q_DECLARE_METATYPE(Shape)

class PropertiesDialogsTest : public QObject {
  Q_OBJECT

 private:
  std::vector<int> errors_;
  std::vector<QUrl> opened_;
  QTemporaryDir emptyFolder_;

  DialogContext Context(const QString& folder = QStringLiteral(ZELMORA_BIN_DIR)) {
    DialogContext context;
    context.programFolder = folder;
    context.showError = [this](int number) { errors_.push_back(number); };
    context.openUrl = [this](const QUrl& url) {
      opened_.push_back(url);
      return true;
    };
    return context;
  }

 private slots:
  void initTestCase() { PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR)); }
  void init() {
    errors_.clear();
    opened_.clear();
  }

  void everyControlIsWrittenOnlyWhenConfirmed_data();
  void everyControlIsWrittenOnlyWhenConfirmed();
  void openingShowsWhatTheControlsCanOffer_data();
  void openingShowsWhatTheControlsCanOffer();
  void aNameTheFileCannotHoldIsRefused_data();
  void aNameTheFileCannotHoldIsRefused();
  void keysAndMissingFiles();

  void listShowsNamesInColumns();
  void mainWindowOpensBothWindows();
};

void PropertiesDialogsTest::everyControlIsWrittenOnlyWhenConfirmed_data() {
  QTest::addColumn<Shape>("shape");
  QTest::addColumn<int>("sliderKeys");  // Right presses on the width slider
  QTest::addColumn<int>("style");       // picked in the pen-style list, -1 none
  QTest::addColumn<bool>("confirm");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("penStyle");
  QTest::addColumn<bool>("endsOff");
  QTest::newRow("point") << Shape::kPoint << 2 << -1 << true << 5 << 0 << false;
  QTest::newRow("segment") << Shape::kSegment << 0 << 3 << true << 1 << 3 << false;
  QTest::newRow("wide ray is solid") << Shape::kRay << 1 << 2 << true << 3 << 0 << false;
  QTest::newRow("full line") << Shape::kFullLine << 0 << 1 << true << 1 << 1 << true;
  QTest::newRow("circle") << Shape::kCircle << 5 << -1 << true << 11 << 0 << false;
  QTest::newRow("segment cancelled") << Shape::kSegment << 1 << 3 << false << 1 << 0 << true;
}

// The user changes every control the dialog has; "Согласен" writes them all
// and marks the drawing modified, "Отмена" leaves the object as it was.
void PropertiesDialogsTest::everyControlIsWrittenOnlyWhenConfirmed() {
  QFETCH(Shape, shape);
  QFETCH(int, sliderKeys);
  QFETCH(int, style);
  QFETCH(bool, confirm);
  QFETCH(int, width);
  QFETCH(int, penStyle);
  QFETCH(bool, endsOff);
  OneObject drawing(shape);
  TGObject& o = *drawing.object;
  const bool visibleBefore = o.NameVisible, mustDrawBefore = o.MustDraw;
  auto form = drawing.Open(Context());

  form->NameEdit()->selectAll();
  Type(form->NameEdit(), QStringLiteral("Вершина"));
  TZMColorSelector* selector = form->ColorSelector();
  QTest::mouseClick(selector, Qt::LeftButton, {}, selector->CellRect(5).center());
  if (style >= 0) form->PenStyleList()->setCurrentIndex(style);
  for (int i = 0; i < sliderKeys; ++i) QTest::keyClick(form->WidthSlider(), Qt::Key_Right);
  QCheckBox* endsOffBox = form->EndsOffCheckBox();
  for (QCheckBox* box : {form->VisibleCheckBox(), form->MustDrawCheckBox(), endsOffBox}) {
    if (box != nullptr && box->isVisible()) {
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
  }
  QCOMPARE(form->WidthSlider()->toolTip(), QString::number(form->WidthSlider()->value()));

  Press(*form, confirm ? "RxSpeedButton1" : "RxSpeedButton2");
  QVERIFY(form->isHidden());
  QCOMPARE(QString::fromStdString(o.Name), confirm ? QStringLiteral("Вершина") : "A1");
  QCOMPARE(o.Color, confirm ? PaletteColor(5, 0) : kBlack);
  QCOMPARE(o.Width, width);
  QCOMPARE(o.PenStyle, penStyle);
  QCOMPARE(o.NameVisible, confirm != visibleBefore);
  QCOMPARE(o.MustDraw, confirm != mustDrawBefore);
  if (o.Kind() == kLineKind) QCOMPARE(static_cast<TGLine&>(o).EndsOff, endsOff);
  QCOMPARE(drawing.list.Modified(), confirm);
}

void PropertiesDialogsTest::openingShowsWhatTheControlsCanOffer_data() {
  QTest::addColumn<Shape>("shape");
  QTest::addColumn<int>("storedWidth");
  QTest::addColumn<int>("storedColor");  // palette index
  QTest::addColumn<int>("shownWidth");
  QTest::addColumn<bool>("styleListEnabled");
  QTest::addColumn<QString>("endsOffCaption");  // empty: no box
  QTest::newRow("red point") << Shape::kPoint << 1 << 14 << 1 << false << QString();
  QTest::newRow("white huge point") << Shape::kPoint << 20 << 15 << 7 << false << QString();
  QTest::newRow("wide segment") << Shape::kSegment << 3 << 2 << 3 << false << "Отрезок как прямая";
  QTest::newRow("thin ray") << Shape::kRay << 1 << 2 << 1 << true << "Луч как прямая";
  QTest::newRow("full line") << Shape::kFullLine << 0 << 2 << 1 << true << QString();
  QTest::newRow("wide circle") << Shape::kCircle << 12 << 3 << 11 << false << QString();
}

// Values the controls cannot show open at the nearest they can, and a
// confirmation with nothing touched stores exactly those.
void PropertiesDialogsTest::openingShowsWhatTheControlsCanOffer() {
  QFETCH(Shape, shape);
  QFETCH(int, storedWidth);
  QFETCH(int, storedColor);
  QFETCH(int, shownWidth);
  QFETCH(bool, styleListEnabled);
  QFETCH(QString, endsOffCaption);
  OneObject drawing(shape);
  TGObject& o = *drawing.object;
  o.Width = storedWidth;
  o.Color = PaletteColor(storedColor, 0);
  o.PenStyle = 2;
  auto form = drawing.Open(Context());
  QCOMPARE(form->WidthSlider()->value(), shownWidth);
  if (QComboBox* styles = form->PenStyleList()) {
    QCOMPARE(styles->isEnabled(), styleListEnabled);
    // The open list is as wide as the box, not past the dialog's edge.
    QVERIFY(styles->view()->sizeHintForColumn(0) <= styles->width());
  }
  if (QCheckBox* box = form->EndsOffCheckBox()) {
    QCOMPARE(box->isVisible() ? box->text() : QString(), endsOffCaption);
  }

  Press(*form, "RxSpeedButton1");
  QCOMPARE(o.Width, shownWidth);
  const bool colorOffered = storedColor < TZMColorSelector::kCellCount;
  QCOMPARE(o.Color, colorOffered ? PaletteColor(storedColor, 0) : kBlack);
  if (shape != Shape::kPoint) QCOMPARE(o.PenStyle, styleListEnabled ? 2 : 0);
}

void PropertiesDialogsTest::aNameTheFileCannotHoldIsRefused_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("message");
  QTest::newRow("semicolon") << "A;1"
                             << "Знак \";\" в имени недопустим";
  QTest::newRow("line break") << "A\n1"
                              << "Имя должно быть одной строкой";
  QTest::newRow("tab") << "A\t1"
                       << "Имя должно быть одной строкой";
  QTest::newRow("outside Windows-1251") << "A✓1"
                                        << "В имени есть знак, который нельзя сохранить в файле";
}

// Typed or pasted, the character never gets in; put there some other way,
// "Согласен" keeps the dialog open and the object untouched. Either way the
// user is told.
void PropertiesDialogsTest::aNameTheFileCannotHoldIsRefused() {
  QFETCH(QString, name);
  QFETCH(QString, message);
  OneObject drawing(Shape::kPoint);
  auto form = drawing.Open(Context());
  QVERIFY(form->NameProblemLabel()->isHidden());

  form->NameEdit()->selectAll();
  QGuiApplication::clipboard()->setText(name);
  form->NameEdit()->paste();
  QCOMPARE(form->NameEdit()->text(), QStringLiteral("A1"));
  QVERIFY(form->NameProblemLabel()->isVisible());
  QCOMPARE(form->NameProblemLabel()->text(), message);

  form->NameEdit()->setText(name);
  Press(*form, "RxSpeedButton1");
  QVERIFY(form->isVisible());
  QCOMPARE(form->Result(), ApplyResult::kNameRefused);
  QCOMPARE(form->NameProblemLabel()->text(), message);
  QCOMPARE(drawing.object->Name, std::string("A1"));
  QVERIFY(!drawing.list.Modified());

  form->NameEdit()->clear();  // an unnamed object is fine
  Press(*form, "RxSpeedButton1");
  QVERIFY(form->isHidden());
  QCOMPARE(drawing.object->Name, std::string());
}

// Enter and Escape do nothing; F1 and a missing prompt table are reported
// without closing the dialog.
void PropertiesDialogsTest::keysAndMissingFiles() {
  OneObject drawing(Shape::kSegment);
  auto form = drawing.Open(Context(emptyFolder_.path()));
  QCOMPARE(errors_, std::vector<int>{kErrorPromptTableUnreadable});
  QVERIFY(form->MethodLabel()->text().isEmpty());
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_F1}) {
    QTest::keyClick(form->NameEdit(), key);
    QVERIFY(form->isVisible());
  }
  QCOMPARE(errors_, (std::vector<int>{kErrorPromptTableUnreadable, kErrorHelpPageMissing}));

  auto helped = drawing.Open(Context());
  QTest::keyClick(helped->WidthSlider(), Qt::Key_F1);
  QCOMPARE(opened_.size(), std::size_t{1});
  QVERIFY(opened_.front().toLocalFile().endsWith(QStringLiteral("Help/Свойства объекта.htm")));
}

// Six columns of 14 rows; a long name is cut; a seventh column scrolls.
void PropertiesDialogsTest::listShowsNamesInColumns() {
  ObjectList list;
  for (int i = 0; i < 20; ++i) list.AddPoint();
  list.AddLine().Name = "ОченьДлинное";
  for (const int added : {0, 80}) {
    for (int i = 0; i < added; ++i) list.AddPoint();
    TSpisokForm form(nullptr, Context(), list, {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QListWidget* rows = form.ListBox();
    QVERIFY(form.NameFits(0));    // "A1"
    QVERIFY(!form.NameFits(20));  // twelve letters
    const QRect first = rows->visualItemRect(rows->item(0));
    const QRect next = rows->visualItemRect(rows->item(14));
    QCOMPARE(next.top() == first.top(), added == 0);
    QCOMPARE(next.left() - first.left(), rows->contentsRect().width() / 6);
    QCOMPARE(rows->horizontalScrollBar()->isVisible(), added > 0);
  }
}

// The menu commands reach the dialogs through the main window: a renamed
// object is named anew in the status panel, and a row chosen in the list
// becomes the selection.
void PropertiesDialogsTest::mainWindowOpensBothWindows() {
  WindowUnderTest w;
  QVERIFY(w.Start());
  w.DrawTwoPoints();
  w.Objects().ClearModified();
  QLabel* status = w.form->findChild<QLabel*>(QStringLiteral("ObjectLabel"));

  w.Trigger("N20");  // nothing selected: nothing opens
  QVERIFY(w.prompts.dialogs.isEmpty());

  // "Выбрать объект" without a chosen row only closes the list.
  int row = -1;
  w.prompts.answerDialog = [&row](QDialog& dialog) {
    auto& list = dynamic_cast<TSpisokForm&>(dialog);
    if (row >= 0) list.ListBox()->item(row)->setSelected(true);
    QTest::mouseClick(list.SelectButton(), Qt::LeftButton);
    return dialog.result();
  };
  w.Trigger("N21");
  QCOMPARE(w.form->editor().Selected(), -1);
  row = 1;
  w.Trigger("N21");
  QCOMPARE(w.form->editor().Selected(), 1);
  const QString second = QString::fromStdString(w.Objects()[1].Name);
  QCOMPARE(status->text(), QStringLiteral("Точка:  ") + second);

  w.prompts.answerDialog = [](QDialog& dialog) {
    auto& form = dynamic_cast<TPropertiesForm&>(dialog);
    form.NameEdit()->setText(QStringLiteral("Центр"));
    form.Confirm();
    return dialog.result();
  };
  w.form->findChild<QToolButton*>(QStringLiteral("RxSpeedButton4"))->click();
  QCOMPARE(w.prompts.dialogs.last(), QStringLiteral("zelmora::TPointForm"));
  QCOMPARE(status->text(), QStringLiteral("Точка:  Центр"));
  QVERIFY(w.Objects().Modified());
}

QTEST_MAIN(PropertiesDialogsTest)
#include "properties_dialogs_test.moc"
