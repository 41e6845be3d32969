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

#include "controls/pack_pixmaps.h"
#include "controls/zm_color_selector.h"
#include "dialogs/properties_form.h"
#include "dialogs/spisok_form.h"
#include "document/text_table.h"
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
    if (shape == Shape::kPoint) {
      object = &list.AddPoint();
    } else if (shape == Shape::kCircle) {
      object = &list.AddCircle();
    } else {
      TGLine& line = list.AddLine();
      line.Bounded1 = shape == Shape::kSegment || shape == Shape::kRay;
      line.Bounded2 = shape == Shape::kSegment;
      line.EndsOff = true;
      object = &line;
    }
    list.Complete(*object, {}, shape == Shape::kPoint ? 0 : (shape == Shape::kCircle ? 200 : 100));
    object->Name = "A1";
    list.modified = false;
  }
};

std::unique_ptr<TPropertiesForm> MakeForm(ObjectList& list, int index,
                                          const DialogContext& context) {
  switch (list[static_cast<std::size_t>(index)].Kind()) {
    case kPointKind:
      return std::make_unique<TPointForm>(nullptr, context, list, index);
    case kLineKind:
      return std::make_unique<TLineForm>(nullptr, context, list, index);
    default:
      return std::make_unique<TCircleForm>(nullptr, context, list, index);
  }
}

// QTest::keyClicks sends Latin-1 only; a user types Russian names.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, c, {});
}

template <class T>
T* Child(const QWidget& parent, const char* name) {
  return parent.findChild<T*>(QString::fromLatin1(name));
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
  void narrowingThePenEnablesTheStyleList();
  void aNameTheFileCannotHoldIsRefused_data();
  void aNameTheFileCannotHoldIsRefused();
  void keysAndMissingFiles();

  void listShowsDrawnKindsInColumns();
  void listChoosesTheRowsObject();
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
  QTest::newRow("point cancelled") << Shape::kPoint << 2 << -1 << false << 1 << 0 << false;
  QTest::newRow("segment cancelled") << Shape::kSegment << 1 << 3 << false << 1 << 0 << true;
  QTest::newRow("circle cancelled") << Shape::kCircle << 0 << 4 << false << 1 << 0 << false;
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
  auto form = MakeForm(drawing.list, 0, Context());
  form->show();

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

  QTest::mouseClick(Child<QToolButton>(*form, confirm ? "RxSpeedButton1" : "RxSpeedButton2"),
                    Qt::LeftButton);
  QVERIFY(form->isHidden());
  QCOMPARE(QString::fromStdString(o.Name), confirm ? QStringLiteral("Вершина") : "A1");
  QCOMPARE(o.Color, confirm ? PaletteColor(5, 0) : kBlack);
  QCOMPARE(o.Width, width);
  QCOMPARE(o.PenStyle, penStyle);
  QCOMPARE(o.NameVisible, confirm != visibleBefore);
  QCOMPARE(o.MustDraw, confirm != mustDrawBefore);
  if (o.Kind() == kLineKind) QCOMPARE(static_cast<TGLine&>(o).EndsOff, endsOff);
  QCOMPARE(drawing.list.modified, confirm);
}

void PropertiesDialogsTest::openingShowsWhatTheControlsCanOffer_data() {
  QTest::addColumn<Shape>("shape");
  QTest::addColumn<int>("storedWidth");
  QTest::addColumn<int>("storedColor");  // palette index
  QTest::addColumn<int>("shownWidth");
  QTest::addColumn<bool>("styleListEnabled");
  QTest::addColumn<QString>("endsOffCaption");  // empty: no box
  QTest::addColumn<QString>("mustDrawCaption");
  QTest::newRow("red point") << Shape::kPoint << 1 << 14 << 1 << false << QString()
                             << "Рисовать Точку";
  QTest::newRow("white huge point")
      << Shape::kPoint << 20 << 15 << 7 << false << QString() << "Рисовать Точку";
  QTest::newRow("wide segment") << Shape::kSegment << 3 << 2 << 3 << false << "Отрезок как прямая"
                                << "Рисовать Прямую";
  QTest::newRow("thin ray") << Shape::kRay << 1 << 2 << 1 << true << "Луч как прямая"
                            << "Рисовать Прямую";
  QTest::newRow("full line") << Shape::kFullLine << 0 << 2 << 1 << true << QString()
                             << "Рисовать Прямую";
  QTest::newRow("wide circle") << Shape::kCircle << 12 << 3 << 11 << false << QString()
                               << "Рисовать Окружность";
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
  QFETCH(QString, mustDrawCaption);
  OneObject drawing(shape);
  TGObject& o = *drawing.object;
  o.Width = storedWidth;
  o.Color = PaletteColor(storedColor, 0);
  if (shape != Shape::kPoint) o.PenStyle = 2;
  auto form = MakeForm(drawing.list, 0, Context());
  form->show();

  QCOMPARE(form->WidthSlider()->value(), shownWidth);
  QCOMPARE(form->MustDrawCheckBox()->text(), mustDrawCaption);
  const bool colorOffered = storedColor < TZMColorSelector::kCellCount;
  QCOMPARE(form->ColorSelector()->ColorNumber(), colorOffered ? storedColor : 0);
  if (QComboBox* styles = form->PenStyleList()) {
    QCOMPARE(styles->isEnabled(), styleListEnabled);
    QCOMPARE(styles->currentIndex(), styleListEnabled ? 2 : 0);
  }
  if (QCheckBox* box = form->EndsOffCheckBox()) {
    QCOMPARE(box->isVisible(), !endsOffCaption.isEmpty());
    if (box->isVisible()) QCOMPARE(box->text(), endsOffCaption);
  }
  QVERIFY(!form->MethodLabel()->text().isEmpty());
  QVERIFY(form->MethodLabel()->text() != QStringLiteral("Метод задания"));

  QTest::mouseClick(Child<QToolButton>(*form, "RxSpeedButton1"), Qt::LeftButton);
  QCOMPARE(o.Width, shownWidth);
  QCOMPARE(o.Color, colorOffered ? PaletteColor(storedColor, 0) : kBlack);
  if (shape != Shape::kPoint) QCOMPARE(o.PenStyle, styleListEnabled ? 2 : 0);
}

void PropertiesDialogsTest::narrowingThePenEnablesTheStyleList() {
  OneObject drawing(Shape::kCircle);
  drawing.object->Width = 3;
  drawing.object->PenStyle = 1;
  auto form = MakeForm(drawing.list, 0, Context());
  form->show();
  QSlider* slider = form->WidthSlider();
  QVERIFY(!form->PenStyleList()->isEnabled());
  // A mouse drag passes every whole number on its way.
  slider->setSliderDown(true);
  slider->setSliderPosition(2);
  QVERIFY(!form->PenStyleList()->isEnabled());
  slider->setSliderPosition(1);
  slider->setSliderDown(false);
  QVERIFY(form->PenStyleList()->isEnabled());
  QCOMPARE(form->PenStyleList()->currentIndex(), 0);
  QCOMPARE(slider->toolTip(), QStringLiteral("1"));
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
  auto form = MakeForm(drawing.list, 0, Context());
  form->show();
  QVERIFY(form->NameProblemLabel()->isHidden());

  form->NameEdit()->selectAll();
  QGuiApplication::clipboard()->setText(name);
  form->NameEdit()->paste();
  QCOMPARE(form->NameEdit()->text(), QStringLiteral("A1"));
  QVERIFY(form->NameProblemLabel()->isVisible());
  QCOMPARE(form->NameProblemLabel()->text(), message);
  form->NameEdit()->end(false);
  Type(form->NameEdit(), name.right(2));
  QCOMPARE(form->NameEdit()->text(), QStringLiteral("A11"));
  QCOMPARE(form->NameProblemLabel()->text(), message);

  form->NameEdit()->setText(name);
  QTest::mouseClick(Child<QToolButton>(*form, "RxSpeedButton1"), Qt::LeftButton);
  QVERIFY(form->isVisible());
  QCOMPARE(form->Result(), ApplyResult::kNameRefused);
  QCOMPARE(form->NameProblemLabel()->text(), message);
  QCOMPARE(drawing.object->Name, std::string("A1"));
  QVERIFY(!drawing.list.modified);

  form->NameEdit()->clear();  // an unnamed object is fine
  QTest::mouseClick(Child<QToolButton>(*form, "RxSpeedButton1"), Qt::LeftButton);
  QVERIFY(form->isHidden());
  QCOMPARE(drawing.object->Name, std::string());
}

// Enter and Escape do nothing; F1 and a missing prompt table are reported
// without closing the dialog.
void PropertiesDialogsTest::keysAndMissingFiles() {
  OneObject drawing(Shape::kSegment);
  auto form = MakeForm(drawing.list, 0, Context(emptyFolder_.path()));
  form->show();
  QCOMPARE(errors_, std::vector<int>{kErrorPromptTableUnreadable});
  QVERIFY(form->MethodLabel()->text().isEmpty());
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_F1}) {
    QTest::keyClick(form->NameEdit(), key);
    QVERIFY(form->isVisible());
  }
  QCOMPARE(errors_, (std::vector<int>{kErrorPromptTableUnreadable, kErrorHelpPageMissing}));

  auto helped = MakeForm(drawing.list, 0, Context());
  helped->show();
  QTest::keyClick(helped->WidthSlider(), Qt::Key_F1);
  QCOMPARE(opened_.size(), std::size_t{1});
  QVERIFY(opened_.front().toLocalFile().endsWith(QStringLiteral("Help/Свойства объекта.htm")));
}

// Names in six columns; value objects and hidden objects are left out,
// objects that are not drawn are not; a long name is cut.
void PropertiesDialogsTest::listShowsDrawnKindsInColumns() {
  ObjectList list;
  for (int i = 0; i < 20; ++i) list.AddPoint();
  list.AddAngle();
  list.AddLine().Name = "ОченьДлинное";
  list.AddCircle().Hidden = true;
  list.AddLength();
  list.AddCircle();
  list[3].MustDraw = false;
  TSpisokForm form(nullptr, Context(), list, {});
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));

  std::vector<int> expected;
  for (int i = 0; i < 20; ++i) expected.push_back(i);
  expected.insert(expected.end(), {21, 24});
  QCOMPARE(form.RowObjects(), expected);
  QListWidget* rows = form.ListBox();
  QCOMPARE(rows->count(), 22);
  QCOMPARE(rows->item(20)->text(), QStringLiteral("21"));
  QVERIFY(form.NameFits(0));    // "A1"
  QVERIFY(!form.NameFits(20));  // twelve letters
  // 14 rows of 16 pixels fill a column; the next row starts the next column,
  // one sixth of the list to the right.
  const QRect first = rows->visualItemRect(rows->item(0));
  const QRect below = rows->visualItemRect(rows->item(1));
  const QRect next = rows->visualItemRect(rows->item(14));
  QCOMPARE(below.top() - first.top(), 16);
  QCOMPARE(next.top(), first.top());
  QCOMPARE(next.left() - first.left(), rows->contentsRect().width() / 6);
  QVERIFY(!rows->horizontalScrollBar()->isVisible());

  for (int i = 0; i < 80; ++i) list.AddPoint();
  TSpisokForm crowded(nullptr, Context(), list, {});
  crowded.show();
  QVERIFY(QTest::qWaitForWindowExposed(&crowded));
  QVERIFY(crowded.ListBox()->horizontalScrollBar()->isVisible());
}

void PropertiesDialogsTest::listChoosesTheRowsObject() {
  ObjectList list;
  list.AddAngle();
  list.AddPoint();
  list.AddCircle();
  const struct {
    int row;  // clicked first, -1 none
    bool select;
    std::optional<int> chosen;
  } cases[] = {{1, true, 2}, {-1, true, std::nullopt}, {0, false, std::nullopt}};
  for (const auto& c : cases) {
    TSpisokForm form(nullptr, Context(), list, {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QListWidget* rows = form.ListBox();
    if (c.row >= 0) {
      QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                        rows->visualItemRect(rows->item(c.row)).center());
    }
    QTest::mouseClick(c.select ? form.SelectButton() : form.CloseButton(), Qt::LeftButton);
    QVERIFY(form.isHidden());
    QCOMPARE(form.ChosenObject(), c.chosen);
  }
}

// The menu commands reach the dialogs through the main window: a renamed
// object is named anew in the status panel, and a row chosen in the list
// becomes the selection.
void PropertiesDialogsTest::mainWindowOpensBothWindows() {
  WindowUnderTest w;
  QVERIFY(w.Start());
  w.DrawTwoPoints();
  w.Objects().modified = false;
  QLabel* status = w.form->findChild<QLabel*>(QStringLiteral("ObjectLabel"));

  w.Trigger("N20");  // nothing selected: nothing opens
  QVERIFY(w.prompts.dialogs.isEmpty());

  w.prompts.answerDialog = [](QDialog& dialog) {
    auto& list = dynamic_cast<TSpisokForm&>(dialog);
    list.ListBox()->item(1)->setSelected(true);
    list.Confirm();
    return dialog.result();
  };
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
  QCOMPARE(w.prompts.dialogs, (QStringList{"zelmora::TSpisokForm", "zelmora::TPointForm"}));
  QCOMPARE(status->text(), QStringLiteral("Точка:  Центр"));
  QVERIFY(w.Objects().modified);
}

QTEST_MAIN(PropertiesDialogsTest)
#include "properties_dialogs_test.moc"
