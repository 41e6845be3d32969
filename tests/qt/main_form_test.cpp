#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <ctime>
#include <memory>

#include "controls/zm_paint_box.h"
#include "document/document_file.h"
#include "document/text_table.h"
#include "interaction/editor_texts.h"
#include "mainwindow/main_form.h"
#include "platform/qt_settings_store.h"
#include "scripted_prompts.h"

using namespace zelmora;

Q_DECLARE_METATYPE(zelmora::InteractionState)

namespace {

QString Label(QWidget& form, const char* name) {
  auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
  return label != nullptr ? label->text() : QStringLiteral("<no label>");
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void dragFreePointMovesDependentsAndShowsPosition();
  void dragLeavingTheSurfaceIsSkipped();
  void resizedWindowShowsWhatARepaintPaints_data();
  void resizedWindowShowsWhatARepaintPaints();
  void modeButtonsAreExclusive_data();
  void modeButtonsAreExclusive();
  void keypadPlusZoomsAboutTheCentre();
  void heldMouseZoomRunsUntilRelease();
  void repaintShowsBackgroundPointAndSelection();
  void surfaceShowsWhatIsDrawnBeforeItIsPresented();
  void popupMenuSelectsTheChosenObject();
  void selectedNameIsShownWhole_data();
  void selectedNameIsShownWhole();
  void helpPageOpensOrReportsError6();
  void missingImagePackRefusesToStart();

 private:
  std::unique_ptr<TMainForm> MakeForm(const QString& folder);
  TGPoint& AddFreePoint(double x, double y);

  QTemporaryDir settingsFolder_;
  std::unique_ptr<QtSettingsStore> store_;
  ScriptedPrompts prompts_;
  std::unique_ptr<TMainForm> form_;
};

std::unique_ptr<TMainForm> MainFormTest::MakeForm(const QString& folder) {
  store_ = std::make_unique<QtSettingsStore>(
      settingsFolder_.filePath(QStringLiteral("settings.ini")).toStdString());
  // Both tool bars shown, and the about box seen long ago.
  store_->WriteBool("ObjectPanel", true);
  store_->WriteBool("PicturePanel", true);
  store_->WriteBool("FirstRun", true);
  store_->Flush();
  MainFormOptions options;
  options.programFolder = folder;
  options.store = store_.get();
  options.prompts = &prompts_;
  return TMainForm::Create(options);
}

void MainFormTest::init() {
  prompts_ = ScriptedPrompts();
  form_ = MakeForm(QStringLiteral(ZELMORA_BIN_DIR));
  QVERIFY(form_ != nullptr);
  form_->resize(800, 600);
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  QVERIFY(form_->PlaneBox()->width() > 400);
  QCOMPARE(form_->Picture().size(), form_->PlaneBox()->size());
}

void MainFormTest::cleanup() {
  form_.reset();
}

TGPoint& MainFormTest::AddFreePoint(double x, double y) {
  ObjectList& list = form_->editor().Objects();
  TGPoint& p = list.AddPoint();
  p.X = x;
  p.Y = y;
  list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
  return p;
}

void MainFormTest::dragFreePointMovesDependentsAndShowsPosition() {
  TGPoint& a = AddFreePoint(100, 100);
  TGPoint& b = AddFreePoint(300, 100);
  ObjectList& list = form_->editor().Objects();
  TGPoint& middle = list.AddPoint();
  list.Complete(middle, {&a, &b}, CodeOf(ConstructionMethod::Midpoint));
  TZMPaintBox* plane = form_->PlaneBox();

  QTest::mousePress(plane, Qt::LeftButton, {}, QPoint(100, 100));
  QCOMPARE(Label(*form_, "ObjectLabel"), QStringLiteral("Точка:  A1"));
  QTest::mouseMove(plane, QPoint(150, 140));
  QTest::mouseMove(plane, QPoint(160, 180));
  QTest::mouseRelease(plane, Qt::LeftButton, {}, QPoint(160, 180));

  QCOMPARE(a.X, 160.0);
  QCOMPARE(a.Y, 180.0);
  QCOMPARE(middle.X, 230.0);
  QCOMPARE(middle.Y, 140.0);
  QCOMPARE(Label(*form_, "XLabel"), QStringLiteral("160"));
  QCOMPARE(Label(*form_, "YLabel"), QStringLiteral("180"));
  QCOMPARE(form_->editor().State(), InteractionState::Normal);
  QVERIFY(list.Modified());
}

void MainFormTest::dragLeavingTheSurfaceIsSkipped() {
  TGPoint& a = AddFreePoint(100, 100);
  TZMPaintBox* plane = form_->PlaneBox();
  QTest::mousePress(plane, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(plane, QPoint(120, 110));
  QTest::mouseMove(plane, QPoint(-40, 130));
  QTest::mouseMove(plane, QPoint(plane->width() + 30, 130));
  QCOMPARE(a.X, 120.0);
  QCOMPARE(a.Y, 110.0);
  QCOMPARE(Label(*form_, "XLabel"), QStringLiteral("120"));
  QTest::mouseRelease(plane, Qt::LeftButton, {}, QPoint(120, 110));
}

void MainFormTest::modeButtonsAreExclusive_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<InteractionState>("mode");
  QTest::addColumn<QString>("prompt");
  QTest::newRow("zoom") << "ZoomAll" << InteractionState::ZoomMode
                        << QString::fromUtf8(texts::kZoomPrompt);
  QTest::newRow("translate") << "DoPerenos" << InteractionState::TranslateMode
                             << QString::fromUtf8(texts::kTranslatePrompt);
  QTest::newRow("rotate") << "DoPovorot" << InteractionState::RotateMode
                          << QString::fromUtf8(texts::kRotatePrompt);
  QTest::newRow("point symmetry") << "DoCenterSymmetry" << InteractionState::PointSymmetryMode
                                  << QString::fromUtf8(texts::kPointSymmetryPrompt);
  QTest::newRow("line symmetry") << "DoLineSymmetry" << InteractionState::LineSymmetryMode
                                 << QString::fromUtf8(texts::kLineSymmetryPrompt);
}

void MainFormTest::modeButtonsAreExclusive() {
  QFETCH(QString, button);
  QFETCH(InteractionState, mode);
  QFETCH(QString, prompt);
  const QList<QToolButton*> all =
      form_->findChild<QWidget*>("SpeedBar3")->findChildren<QToolButton*>();
  QCOMPARE(all.size(), 5);
  auto* target = form_->findChild<QToolButton*>(button);
  QVERIFY(target != nullptr);
  QVERIFY(!target->toolTip().isEmpty());
  // Another mode first, so the press must also release that one.
  auto* other = form_->findChild<QToolButton*>(button == "ZoomAll" ? "DoPovorot" : "ZoomAll");
  QTest::mouseClick(other, Qt::LeftButton);
  QTest::mouseClick(target, Qt::LeftButton);
  QCOMPARE(form_->editor().State(), mode);
  QCOMPARE(QString::fromStdString(form_->Prompt()), prompt);
  for (QToolButton* b : all) QCOMPARE(b->isChecked(), b == target);
  QTest::mouseClick(target, Qt::LeftButton);  // pressed again: back to normal, all up
  QCOMPARE(form_->editor().State(), InteractionState::Normal);
  for (QToolButton* b : all) QVERIFY(!b->isChecked());
  QTest::mouseClick(target, Qt::LeftButton);
  QTest::keyClick(form_.get(), Qt::Key_Escape);
  QCOMPARE(form_->editor().State(), InteractionState::Normal);
  for (QToolButton* b : all) QVERIFY(!b->isChecked());
}

void MainFormTest::keypadPlusZoomsAboutTheCentre() {
  const int cx = form_->PlaneBox()->width() / 2, cy = form_->PlaneBox()->height() / 2;
  TGPoint& a = AddFreePoint(cx + 100, cy - 50);
  form_->editor().Objects().ClearModified();
  QTest::keyClick(form_.get(), Qt::Key_Plus);  // the main keyboard's plus does nothing
  QCOMPARE(a.X, cx + 100.0);
  QTest::keyClick(form_.get(), Qt::Key_Plus, Qt::KeypadModifier);
  QCOMPARE(form_->editor().ViewScale(), 1.2);
  QCOMPARE(a.X, cx + 120.0);
  QCOMPARE(a.Y, cy - 60.0);
  QTest::keyClick(form_.get(), Qt::Key_Minus, Qt::KeypadModifier);
  QVERIFY(qAbs(a.X - (cx + 100)) < 1e-9);
  QTest::keyClick(form_.get(), Qt::Key_Right);
  QVERIFY(qAbs(a.X - (cx + 130)) < 1e-9);
  // The drawing is not the file's any more, so the close question asks.
  QVERIFY(form_->editor().Objects().Modified());
}

// While the button is held the drawing keeps growing about the cursor; the
// release stops it.
void MainFormTest::heldMouseZoomRunsUntilRelease() {
  TGPoint& a = AddFreePoint(200, 150);
  TGPoint& b = AddFreePoint(260, 150);
  QTest::mouseClick(form_->findChild<QToolButton*>("ZoomAll"), Qt::LeftButton);
  TZMPaintBox* plane = form_->PlaneBox();
  QTest::mouseMove(plane, QPoint(200, 150));
  QTest::mousePress(plane, Qt::LeftButton, {}, QPoint(200, 150));
  // Holding the button must not keep a core busy between the paced steps.
  const std::clock_t cpuBefore = std::clock();
  QEventLoop held;  // a real loop: qWait sleeps between its rounds
  QTimer::singleShot(300, &held, &QEventLoop::quit);
  held.exec();
  const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
  QVERIFY2(cpuMs < 150, qPrintable(QString::number(cpuMs) + " ms of CPU in 300 ms"));
  QTRY_VERIFY(form_->editor().ViewScale() > 1.2);
  QTest::mouseRelease(plane, Qt::LeftButton, {}, QPoint(200, 150));
  const double scale = form_->editor().ViewScale();
  QTest::qWait(50);
  QCOMPARE(form_->editor().ViewScale(), scale);
  QVERIFY(scale < 10 * 1.06);
  QVERIFY(qAbs(a.X - 200) < 1e-6);  // the point under the cursor stays put
  QVERIFY(qAbs((b.X - 200) - 60 * scale) < 1e-6);
}

void MainFormTest::repaintShowsBackgroundPointAndSelection() {
  TGPoint& a = AddFreePoint(100, 100);
  a.Width = 3;
  TGPoint& b = AddFreePoint(200, 100);
  b.Width = 3;
  TZMPaintBox* plane = form_->PlaneBox();
  QTest::mousePress(plane, Qt::LeftButton, {}, QPoint(200, 100));
  QTest::mouseRelease(plane, Qt::LeftButton, {}, QPoint(200, 100));
  const QImage shown = plane->grab().toImage();
  QCOMPARE(QColor(shown.pixel(5, 5)), QColor(Qt::white));
  QCOMPARE(QColor(shown.pixel(100, 100)), QColor(Qt::black));
  QCOMPARE(QColor(shown.pixel(200, 100)), QColor(Qt::red));  // the selection
  QCOMPARE(QColor(shown.pixel(150, 100)), QColor(Qt::white));
  QCOMPARE(QColor(shown.pixel(100, 97)), QColor(Qt::black));  // glyph of width 3
  QCOMPARE(QColor(shown.pixel(100, 96)), QColor(Qt::white));
}

// A dialog opening over the surface repaints it before the editor presents
// the picture: what was drawn must show all the same.
void MainFormTest::surfaceShowsWhatIsDrawnBeforeItIsPresented() {
  Canvas& canvas = form_->PictureCanvas();
  canvas.SetPen(kBlack, 1, PenStyle::Solid);
  canvas.DrawLine(10, 50, 300, 50);
  const QImage shown = form_->PlaneBox()->grab().toImage();
  QCOMPARE(QColor(shown.pixel(150, 50)), QColor(Qt::black));
}

void MainFormTest::popupMenuSelectsTheChosenObject() {
  AddFreePoint(100, 100);
  AddFreePoint(102, 101);
  TZMPaintBox* plane = form_->PlaneBox();
  QTest::mousePress(plane, Qt::RightButton, {}, QPoint(101, 100));
  QMenu* menu = form_->ObjectPopupMenu();
  QTRY_VERIFY(menu->isVisible());
  const QList<QAction*> items = menu->actions();
  QCOMPARE(items.size(), 2);
  QCOMPARE(items[1]->text(), QStringLiteral("A2"));
  items[1]->trigger();
  menu->close();
  QCOMPARE(form_->editor().Selected(), 1);
  QCOMPARE(Label(*form_, "ObjectLabel"), QStringLiteral("Точка:  A2"));
}

void MainFormTest::selectedNameIsShownWhole_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("usualFace");
  QTest::newRow("short") << QStringLiteral("S1") << true;
  QTest::newRow("twelve wide latin") << QStringLiteral("WWWWWWWWWWWW") << false;
  QTest::newRow("twelve wide cyrillic") << QStringLiteral("ШШШШШШШШШШШШ") << false;
}

// The selection panel is narrow: a long name must be readable to its last
// letter, and a short one keeps the panel's face.
void MainFormTest::selectedNameIsShownWhole() {
  QFETCH(QString, name);
  QFETCH(bool, usualFace);
  ObjectList& list = form_->editor().Objects();
  TGCircle& circle = list.AddCircle();
  circle.CX = 200;
  circle.CY = 200;
  circle.R = 100;
  list.Complete(circle, {}, CodeOf(ConstructionMethod::FreeCircle));
  circle.Name = name.toStdString();
  TZMPaintBox* plane = form_->PlaneBox();
  QTest::mouseClick(plane, Qt::LeftButton, {}, QPoint(300, 200));

  auto* label = form_->findChild<QLabel*>(QStringLiteral("ObjectLabel"));
  QVERIFY(label != nullptr);
  QCOMPARE(label->text(), QStringLiteral("Окружность:  ") + name);
  QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
          label->contentsRect().width());
  const QFont usual = label->parentWidget()->font();
  QCOMPARE(QFontInfo(label->font()).pixelSize() == QFontInfo(usual).pixelSize(), usualFace);
  // Back to the usual face once nothing long is shown.
  QTest::mouseClick(plane, Qt::LeftButton, {}, QPoint(500, 400));
  QCOMPARE(label->text(), QString::fromUtf8(texts::kNoSelection));
  QCOMPARE(QFontInfo(label->font()).pixelSize(), QFontInfo(usual).pixelSize());
}

void MainFormTest::helpPageOpensOrReportsError6() {
  QTemporaryDir folder;
  QVERIFY(QFile::copy(QDir(ZELMORA_BIN_DIR).filePath(kImagePackFileName),
                      folder.filePath(kImagePackFileName)));
  form_ = MakeForm(folder.path());
  QVERIFY(form_ != nullptr);
  QTest::keyClick(form_.get(), Qt::Key_F1);
  QCOMPARE(prompts_.errors, std::vector<int>{kErrorHelpPageMissing});
  QVERIFY(prompts_.urls.isEmpty());

  QVERIFY(QDir(folder.path()).mkpath("Help"));
  const QString page = folder.filePath(QString::fromUtf8(texts::kHelpObjects));
  QFile file(page);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  QTest::keyClick(form_.get(), Qt::Key_F1);
  QCOMPARE(prompts_.urls.size(), 1);
  QCOMPARE(prompts_.urls[0], QUrl::fromLocalFile(page));
  QCOMPARE(prompts_.errors.size(), 1u);
}

void MainFormTest::missingImagePackRefusesToStart() {
  QTemporaryDir empty;
  QVERIFY(MakeForm(empty.path()) == nullptr);
  QCOMPARE(prompts_.messages, QStringList{QString::fromUtf8(kImagePackDamagedMessage)});
  QTemporaryDir damaged;
  QFile pack(damaged.filePath(kImagePackFileName));
  QVERIFY(pack.open(QIODevice::WriteOnly));
  pack.write("BM not really a picture");
  pack.close();
  QVERIFY(MakeForm(damaged.path()) == nullptr);
  QCOMPARE(prompts_.messages.size(), 2);
}

void MainFormTest::resizedWindowShowsWhatARepaintPaints_data() {
  QTest::addColumn<QSize>("size");
  QTest::newRow("wider") << QSize(1000, 600);
  QTest::newRow("taller") << QSize(800, 750);
  QTest::newRow("smaller") << QSize(640, 480);
  QTest::newRow("the same") << QSize(800, 600);
}

// The window and its surface both report a resize, and only one of them
// repaints: whatever the new size, the picture is the one a repaint gives,
// a full line reaching the new edges.
void MainFormTest::resizedWindowShowsWhatARepaintPaints() {
  QFETCH(QSize, size);
  TGPoint& a = AddFreePoint(100, 100);
  TGPoint& b = AddFreePoint(200, 150);
  ObjectList& list = form_->editor().Objects();
  list.Complete(list.AddLine(), {&a, &b}, CodeOf(ConstructionMethod::LineThroughTwoPoints));
  form_->editor().Repaint();
  form_->resize(size);
  QTRY_COMPARE(form_->Picture().size(), form_->PlaneBox()->size());
  QCoreApplication::processEvents();
  const QImage shown = form_->Picture().copy();
  form_->editor().Repaint();
  QCOMPARE(shown, form_->Picture());
}

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
