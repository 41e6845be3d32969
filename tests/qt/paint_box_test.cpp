#include <QCursor>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "controls/zm_paint_box.h"

using zelmora::Modifiers;
using zelmora::MouseButton;
using zelmora::TZMPaintBox;

Q_DECLARE_METATYPE(zelmora::MouseButton)

namespace {

enum class Kind { Down, Move, Up };

struct Report {
  Kind kind;
  MouseButton button;
  Modifiers mods;
  QPoint at;
  // Shift, Ctrl, left held, right held, as the editor reads them.
  QString Mods() const {
    return QString("%1%2%3%4").arg(mods.shift).arg(mods.ctrl).arg(mods.left).arg(mods.right);
  }
};

// Everything the surface reports, in order.
struct Recorder {
  std::vector<Report> reports;
  explicit Recorder(TZMPaintBox& box) {
    QObject::connect(
        &box, &TZMPaintBox::MouseDown,
        [this](MouseButton b, Modifiers m, int x, int y) { Add(Kind::Down, b, m, x, y); });
    QObject::connect(&box, &TZMPaintBox::MouseMove, [this](Modifiers m, int x, int y) {
      Add(Kind::Move, MouseButton::Left, m, x, y);
    });
    QObject::connect(&box, &TZMPaintBox::MouseUp, [this](MouseButton b, Modifiers m, int x, int y) {
      Add(Kind::Up, b, m, x, y);
    });
  }
  void Add(Kind kind, MouseButton b, Modifiers m, int x, int y) {
    reports.push_back({kind, b, m, QPoint(x, y)});
  }
};

void Send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, modifiers);
  QCoreApplication::sendEvent(&widget, &event);
}

// A 100 x 80 surface at (50, 40) in a shown 300 x 200 window.
struct Scene {
  QWidget window;
  TZMPaintBox box{&window};
  Scene() {
    window.resize(300, 200);
    box.setGeometry(50, 40, 100, 80);
    window.show();
  }
};

}  // namespace

class PaintBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void neverErasesAndHearsHover() {
    Scene scene;
    QVERIFY(QTest::qWaitForWindowExposed(&scene.window));
    QVERIFY(scene.box.testAttribute(Qt::WA_OpaquePaintEvent));
    Recorder recorder(scene.box);
    QTest::mouseMove(scene.window.windowHandle(), QPoint(57, 49));
    QCOMPARE(recorder.reports.size(), std::size_t{1});
    QCOMPARE(recorder.reports[0].at, QPoint(7, 9));
    QCOMPARE(recorder.reports[0].Mods(), QString("0000"));
  }

  void reportsButtonsAndModifiers_data() {
    QTest::addColumn<Qt::MouseButton>("qtButton");
    QTest::addColumn<Qt::MouseButtons>("alsoHeld");
    QTest::addColumn<Qt::KeyboardModifiers>("keys");
    QTest::addColumn<MouseButton>("button");
    QTest::addColumn<QString>("downMods");  // also those of the move
    QTest::addColumn<QString>("upMods");
    using B = Qt::MouseButtons;
    using K = Qt::KeyboardModifiers;
    QTest::newRow("left") << Qt::LeftButton << B() << K() << MouseButton::Left << "0010"
                          << "0000";
    QTest::newRow("shift right") << Qt::RightButton << B() << K(Qt::ShiftModifier)
                                 << MouseButton::Right << "1001"
                                 << "1000";
    QTest::newRow("ctrl alt left")
        << Qt::LeftButton << B() << K(Qt::ControlModifier | Qt::AltModifier) << MouseButton::Left
        << "0110"
        << "0100";
    QTest::newRow("middle") << Qt::MiddleButton << B() << K() << MouseButton::Middle << "0000"
                            << "0000";
    QTest::newRow("right while left held")
        << Qt::RightButton << B(Qt::LeftButton) << K() << MouseButton::Right << "0011"
        << "0010";
  }
  void reportsButtonsAndModifiers() {
    QFETCH(Qt::MouseButton, qtButton);
    QFETCH(Qt::MouseButtons, alsoHeld);
    QFETCH(Qt::KeyboardModifiers, keys);
    QFETCH(MouseButton, button);
    QFETCH(QString, downMods);
    QFETCH(QString, upMods);
    TZMPaintBox box;
    box.resize(200, 100);
    Recorder recorder(box);
    Send(box, QEvent::MouseButtonPress, {12, 34}, qtButton, alsoHeld | qtButton, keys);
    Send(box, QEvent::MouseMove, {15, 40}, Qt::NoButton, alsoHeld | qtButton, keys);
    Send(box, QEvent::MouseButtonRelease, {16, 41}, qtButton, alsoHeld, keys);
    Send(box, QEvent::MouseButtonPress, {5, 5}, Qt::BackButton, Qt::BackButton, keys);

    const auto& r = recorder.reports;
    QCOMPARE(r.size(), std::size_t{3});  // the back button means nothing here
    QVERIFY(r[0].kind == Kind::Down && r[0].button == button);
    QCOMPARE(r[0].at, QPoint(12, 34));
    QCOMPARE(r[0].Mods(), downMods);
    QVERIFY(r[1].kind == Kind::Move);
    QCOMPARE(r[1].at, QPoint(15, 40));
    QCOMPARE(r[1].Mods(), downMods);
    QVERIFY(r[2].kind == Kind::Up && r[2].button == button);
    QCOMPARE(r[2].at, QPoint(16, 41));
    QCOMPARE(r[2].Mods(), upMods);
  }

  void keepsTheMouseDuringADrag_data() {
    QTest::addColumn<QPoint>("windowPoint");
    QTest::addColumn<QPoint>("surfacePoint");
    QTest::newRow("left of and above") << QPoint(20, 30) << QPoint(-30, -10);
    QTest::newRow("right of and below") << QPoint(250, 190) << QPoint(200, 150);
    QTest::newRow("just past the right edge") << QPoint(150, 60) << QPoint(100, 20);
  }
  void keepsTheMouseDuringADrag() {
    QFETCH(QPoint, windowPoint);
    QFETCH(QPoint, surfacePoint);
    Scene scene;
    QVERIFY(QTest::qWaitForWindowExposed(&scene.window));
    QWindow* window = scene.window.windowHandle();
    QTest::mouseMove(window, QPoint(60, 50));
    Recorder recorder(scene.box);
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(60, 50));
    QTest::mouseMove(window, windowPoint);
    QTest::mouseRelease(window, Qt::LeftButton, {}, windowPoint);
    // Once released, a move out there belongs to the window, not to the surface.
    QTest::mouseMove(window, windowPoint + QPoint(1, 1));

    const auto& r = recorder.reports;
    QCOMPARE(r.size(), std::size_t{3});
    QVERIFY(r[0].kind == Kind::Down && r[0].at == QPoint(10, 10));
    QVERIFY(r[1].kind == Kind::Move && r[1].mods.left);
    QCOMPARE(r[1].at, surfacePoint);
    QVERIFY(r[2].kind == Kind::Up && !r[2].mods.left);
    QCOMPARE(r[2].at, surfacePoint);
  }

  void movesTheScreenCursor_data() {
    QTest::addColumn<QPoint>("target");
    QTest::newRow("inside") << QPoint(10, 20);
    QTest::newRow("on the right edge") << QPoint(100, 33);
  }
  void movesTheScreenCursor() {
    QFETCH(QPoint, target);
    Scene scene;
    QVERIFY(QTest::qWaitForWindowExposed(&scene.window));
    scene.box.MoveCursorTo(target.x(), target.y());
    QCOMPARE(scene.box.mapFromGlobal(QCursor::pos()), target);
  }

  void paintsThePictureThenTheOwner() {
    TZMPaintBox box;
    box.resize(100, 80);
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    box.SetPicture([&picture] { return &picture; });
    connect(&box, &TZMPaintBox::Paint, this,
            [](QPainter& painter) { painter.fillRect(QRect(0, 0, 3, 3), Qt::blue); });
    const QImage shown = box.grab().toImage();
    QCOMPARE(QColor(shown.pixel(30, 20)), QColor(10, 20, 30));
    QCOMPARE(QColor(shown.pixel(1, 1)), QColor(Qt::blue));
    // Whatever the picture does not cover is white, never left as it was.
    QCOMPARE(QColor(shown.pixel(70, 20)), QColor(Qt::white));
    QCOMPARE(QColor(shown.pixel(30, 60)), QColor(Qt::white));
    box.SetPicture(nullptr);
    QCOMPARE(QColor(box.grab().toImage().pixel(30, 20)), QColor(Qt::white));
  }

  void reportsResize() {
    Scene scene;
    QVERIFY(QTest::qWaitForWindowExposed(&scene.window));
    QSignalSpy resized(&scene.box, &TZMPaintBox::Resized);
    scene.box.resize(200, 150);
    QCOMPARE(resized.count(), 1);
    QCOMPARE(resized.at(0), (QList<QVariant>{200, 150}));
  }

  void enterAndLeave() {
    TZMPaintBox box;
    QSignalSpy entered(&box, &TZMPaintBox::MouseEnter);
    QSignalSpy left(&box, &TZMPaintBox::MouseLeave);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&box, &leave);  // never entered: nothing to report
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&box, &enter);
    QVERIFY(box.MouseInside());
    QCoreApplication::sendEvent(&box, &leave);
    QCOMPARE(entered.count(), 1);
    QCOMPARE(left.count(), 1);
    box.setEnabled(false);
    QCoreApplication::sendEvent(&box, &enter);
    QCOMPARE(entered.count(), 1);
  }
};

QTEST_MAIN(PaintBoxTest)
#include "paint_box_test.moc"
