#include <QSignalSpy>
#include <QTest>
#include <limits>
#include <vector>

#include "controls/zm_color_selector.h"

using zelmora::TZMColorSelector;

namespace {

// Colours as documents and objects hold them: 0x00BBGGRR.
constexpr uint kBlack = 0x000000, kGreen = 0x008000, kPurple = 0x800080, kAqua = 0xFFFF00;
constexpr uint kRed = 0x0000FF, kWhite = 0xFFFFFF;

// What the user sees in each cell.
const QColor kCellRgb[TZMColorSelector::kCellCount] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128}, {0, 128, 128}, {128, 128, 128}, {192, 192, 192}, {0, 255, 0},
    {255, 255, 0}, {0, 0, 255},   {255, 0, 255},   {0, 255, 255},
};
const QColor kPanel(180, 200, 206), kLightRed(255, 121, 121), kDarkRed(128, 0, 0);

// A selector as the dialogs have it, settled on `index`.
void Settle(TZMColorSelector& selector, int index) {
  selector.UseDialogLook();
  selector.SetColorNumber(index);
  selector.FinishAnimation();
}

}  // namespace

class ColorSelectorTest : public QObject {
  Q_OBJECT

 private slots:
  void sizeFollowsCellsAndMarkers_data() {
    QTest::addColumn<int>("widthCell");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("heightCell");
    QTest::addColumn<bool>("dialogLook");
    QTest::addColumn<QSize>("size");
    QTest::newRow("defaults") << 22 << 1 << 22 << false << QSize(321, 24);
    QTest::newRow("dialog markers") << 22 << 1 << 22 << true << QSize(321, 48);
    QTest::newRow("narrow cells") << 20 << 1 << 22 << false << QSize(293, 24);
    QTest::newRow("tall cells, no gaps") << 22 << 0 << 30 << true << QSize(308, 56);
    QTest::newRow("zero sizes become one pixel") << 0 << 0 << 0 << false << QSize(14, 3);
  }
  void sizeFollowsCellsAndMarkers() {
    QFETCH(int, widthCell);
    QFETCH(int, step);
    QFETCH(int, heightCell);
    QFETCH(bool, dialogLook);
    QFETCH(QSize, size);
    TZMColorSelector selector;
    if (dialogLook) selector.UseDialogLook();
    selector.SetWidthCell(widthCell);
    selector.SetStep(step);
    selector.SetHeightCell(heightCell);
    QCOMPARE(selector.size(), size);
  }

  // Choosing by index (byColour false) or by colour, from a settled cell.
  void choose_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("byColour");
    QTest::addColumn<qlonglong>("request");
    QTest::addColumn<int>("number");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<double>("marker");
    QTest::newRow("index 13") << 0 << false << 13LL << 13 << kAqua << 305.0;
    QTest::newRow("index 5") << 0 << false << 5LL << 5 << kPurple << 121.0;
    QTest::newRow("current index, fresh") << 0 << false << 0LL << 0 << kBlack << 5.0;
    QTest::newRow("index 14 refused") << 2 << false << 14LL << 2 << kGreen << 52.0;
    QTest::newRow("index -1 refused") << 2 << false << -1LL << 2 << kGreen << 52.0;
    QTest::newRow("aqua") << 0 << true << qlonglong(kAqua) << 13 << kAqua << 305.0;
    QTest::newRow("black, fresh") << 0 << true << qlonglong(kBlack) << 0 << kBlack << 5.0;
    QTest::newRow("black centres on cell 0")
        << 2 << true << qlonglong(kBlack) << 0 << kBlack << 6.0;
    QTest::newRow("red refused") << 2 << true << qlonglong(kRed) << 2 << kGreen << 52.0;
    QTest::newRow("white refused") << 5 << true << qlonglong(kWhite) << 5 << kPurple << 121.0;
    QTest::newRow("near black refused") << 2 << true << 0x000001LL << 2 << kGreen << 52.0;
    QTest::newRow("system colour code") << 2 << true << 0x8000000FLL << 2 << kGreen << 52.0;
  }
  void choose() {
    QFETCH(int, start);
    QFETCH(bool, byColour);
    QFETCH(qlonglong, request);
    QFETCH(int, number);
    QFETCH(uint, colour);
    QFETCH(double, marker);
    TZMColorSelector selector;
    Settle(selector, start);
    QSignalSpy changed(&selector, &TZMColorSelector::Changed);
    if (byColour) {
      selector.SetColorName(static_cast<zelmora::Color>(request));
    } else {
      selector.SetColorNumber(static_cast<int>(request));
    }
    selector.FinishAnimation();
    QCOMPARE(selector.ColorNumber(), number);
    QCOMPARE(selector.ColorName(), colour);
    QCOMPARE(selector.MarkerX(), marker);
    QCOMPARE(changed.count(), number != start ? 1 : 0);
  }

  void clickChoosesCell_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("cell");
    QTest::newRow("left edge") << QPoint(0, 20) << Qt::LeftButton << 0;
    QTest::newRow("gap after cell 0") << QPoint(22, 20) << Qt::LeftButton << 0;
    QTest::newRow("first pixel of cell 1") << QPoint(23, 20) << Qt::LeftButton << 1;
    QTest::newRow("gap after cell 12") << QPoint(298, 20) << Qt::LeftButton << 12;
    QTest::newRow("right edge") << QPoint(320, 20) << Qt::LeftButton << 13;
    QTest::newRow("right button in a strip") << QPoint(50, 2) << Qt::RightButton << 2;
  }
  void clickChoosesCell() {
    QFETCH(QPoint, at);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, cell);
    TZMColorSelector selector;
    Settle(selector, 5);
    std::vector<int> chosenAtMouseDown;
    connect(&selector, &TZMColorSelector::MouseDown, this,
            [&] { chosenAtMouseDown.push_back(selector.ColorNumber()); });
    QTest::mouseClick(&selector, button, {}, at);
    selector.FinishAnimation();
    QCOMPARE(selector.ColorNumber(), cell);
    QCOMPARE(selector.MarkerX(), double(23 * cell + 6));
    // The owner hears of the press only once the choice is made.
    QCOMPARE(chosenAtMouseDown, std::vector<int>{cell});
  }

  void slideTakesOneStepPerSpeed_data() {
    QTest::addColumn<double>("speed");
    QTest::addColumn<int>("steps");
    QTest::newRow("dialogs' speed") << 5.0 << 60;
    QTest::newRow("uneven speed") << 7.0 << 43;
    QTest::newRow("beyond in one step") << 1000.0 << 1;
    QTest::newRow("zero speed jumps") << 0.0 << 0;
    QTest::newRow("NaN speed jumps") << std::numeric_limits<double>::quiet_NaN() << 0;
  }
  void slideTakesOneStepPerSpeed() {
    QFETCH(double, speed);
    QFETCH(int, steps);
    TZMColorSelector selector;
    selector.UseDialogLook();
    selector.SetSpeed(speed);
    selector.SetColorName(kAqua);
    QCOMPARE(selector.ColorNumber(), 13);  // before the markers arrive
    int taken = 0;
    for (double last = selector.MarkerX(); selector.Animating() && taken <= 1000; ++taken) {
      if (selector.StepAnimation()) QCOMPARE(selector.MarkerX() - last, speed);
      last = selector.MarkerX();
    }
    QCOMPARE(taken, steps);
    QCOMPARE(selector.MarkerX(), 305.0);
  }

  void slideRunsOnTheEventLoop() {
    TZMColorSelector selector;
    selector.UseDialogLook();
    selector.SetColorNumber(13);
    QVERIFY(selector.Animating());
    QCOMPARE(selector.MarkerX(), 5.0);
    QTRY_VERIFY(!selector.Animating());
    QCOMPARE(selector.MarkerX(), 305.0);
  }

  void newChoiceRedirectsSlide() {
    TZMColorSelector selector;
    selector.UseDialogLook();
    selector.SetColorNumber(13);
    for (int i = 0; i < 10; ++i) selector.StepAnimation();
    QCOMPARE(selector.MarkerX(), 55.0);
    QTest::mouseClick(&selector, Qt::LeftButton, {}, QPoint(10, 20));
    QCOMPARE(selector.ColorName(), kBlack);  // the newest choice stands at once
    std::vector<double> path;
    while (selector.StepAnimation()) path.push_back(selector.MarkerX());
    QCOMPARE(path, (std::vector<double>{50, 45, 40, 35, 30, 25, 20, 15, 10}));
    QCOMPARE(selector.MarkerX(), 6.0);
    QCOMPARE(selector.ColorNumber(), 0);
  }

  void paintsCellsAndMarkers_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("marker");
    QTest::newRow("fresh") << 0 << 5;
    QTest::newRow("aqua") << 13 << 305;
  }
  void paintsCellsAndMarkers() {
    QFETCH(int, index);
    QFETCH(int, marker);
    TZMColorSelector selector;
    Settle(selector, index);
    const QImage image = selector.grab().toImage();
    auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
    for (int i = 0; i < TZMColorSelector::kCellCount; ++i) {
      const int left = 23 * i;  // cells span rows 13..35
      QCOMPARE(at(left + 11, 24), kCellRgb[i]);
      QCOMPARE(at(left + 10, 13), QColor(128, 128, 128));  // sunken: shadow on top,
      QCOMPARE(at(left, 30), QColor(128, 128, 128));       // and on the left,
      QCOMPARE(at(left + 21, 30), QColor(Qt::white));      // light on the right
      QCOMPARE(at(left + 10, 35), QColor(Qt::white));      // and at the bottom
      if (i < 13) QCOMPARE(at(left + 22, 24), kPanel);
    }
    QCOMPARE(at(marker - 1, 6), kPanel);  // upper marker: widest row 6, tip at row 11
    QCOMPARE(at(marker, 6), kLightRed);
    QCOMPARE(at(marker + 9, 6), kDarkRed);
    QCOMPARE(at(marker + 5, 11), kDarkRed);
    QCOMPARE(at(marker + 4, 36), kLightRed);  // lower marker: tip at row 36
    QCOMPARE(at(marker + 3, 36), kPanel);
    QCOMPARE(at(marker + 3, 47), kDarkRed);
    const int elsewhere = marker > 150 ? 20 : 250;
    QCOMPARE(at(elsewhere, 6), kPanel);
    QCOMPARE(at(elsewhere, 40), kPanel);
  }

  void markerBitmapsSetHeightAndStart() {
    TZMColorSelector selector;
    QCOMPARE(selector.MarkerX(), 0.0);
    selector.SetUpBitmap(TZMColorSelector::DialogUpMarker());
    QCOMPARE(selector.height(), 36);
    QCOMPARE(selector.MarkerX(), 5.0);  // half the first marker's width in
    selector.SetDownBitmap(TZMColorSelector::DialogDownMarker());
    selector.SetUpBitmap(TZMColorSelector::DialogUpMarker());
    QCOMPARE(selector.height(), 48);
    QImage wide(20, 6, QImage::Format_RGB32);
    wide.fill(Qt::red);
    selector.SetUpBitmap(wide);
    QCOMPARE(selector.height(), 42);
    QCOMPARE(selector.MarkerX(), 5.0);
    selector.SetColorNumber(1);
    selector.FinishAnimation();
    QCOMPARE(selector.MarkerX(), 24.0);  // centred for the wider marker
  }

  void enterAndLeave_data() {
    QTest::addColumn<QString>("script");  // E enter, L leave, D disable, A enable
    QTest::addColumn<int>("enters");
    QTest::addColumn<int>("leaves");
    QTest::newRow("in and out twice") << "ELEL" << 2 << 2;
    QTest::newRow("out without in") << "L" << 0 << 0;
    QTest::newRow("in twice") << "EELL" << 1 << 1;
    QTest::newRow("disabled") << "DEL" << 0 << 0;
    QTest::newRow("disabled while inside") << "EDLAL" << 1 << 1;
  }
  void enterAndLeave() {
    QFETCH(QString, script);
    QFETCH(int, enters);
    QFETCH(int, leaves);
    TZMColorSelector selector;
    QSignalSpy entered(&selector, &TZMColorSelector::MouseEnter);
    QSignalSpy left(&selector, &TZMColorSelector::MouseLeave);
    for (QChar step : script) {
      if (step == 'E') {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&selector, &enter);
      } else if (step == 'L') {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&selector, &leave);
      } else {
        selector.setEnabled(step == 'A');
      }
    }
    QCOMPARE(entered.count(), enters);
    QCOMPARE(left.count(), leaves);
  }
};

QTEST_MAIN(ColorSelectorTest)
#include "color_selector_test.moc"
