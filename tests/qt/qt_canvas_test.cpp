#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>

#include "document/image_pack.h"
#include "drawing_10k.h"
#include "geometry/object_list.h"
#include "geometry/paint.h"
#include "render/label_pictures.h"
#include "render/pack_pixmaps.h"
#include "render/point_glyph_table.h"
#include "render/qt_canvas.h"
#include "render/qt_color.h"
#include "render/thin_pen.h"

using namespace zelmora;

namespace {

QRgb Pixel(const QImage& image, int x, int y) {
  return image.pixel(x, y) & 0xFFFFFFu;
}

int LargestChannelDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return largest;
}

bool IsWhite(QRgb rgb) {
  return (rgb & 0xFFFFFFu) == 0xFFFFFFu;
}

// Lengths of the alternating runs of ink and paper along row `y` from `x`
// on, starting with ink.
QVector<int> Runs(const QImage& image, int y, int x, int length, QRgb paper = 0xFFFFFF) {
  QVector<int> runs;
  bool ink = true;
  int run = 0;
  for (int i = x; i < x + length; ++i) {
    const bool here = Pixel(image, i, y) != paper;
    if (here == ink) {
      ++run;
    } else {
      runs.append(run);
      ink = here;
      run = 1;
    }
  }
  return runs;
}

using Call = std::function<void(Canvas&)>;

// Every kind of call at random, crowded around the middle row where two
// bands meet: lines and circles across it or reaching far beyond the
// picture, dashed and wide pens, labels with and without their box, glyphs,
// fills. Each call sets its own pen.
std::vector<Call> RandomCalls(unsigned seed, QSize size) {
  std::mt19937 random(seed);
  auto among = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int w = size.width(), h = size.height(), middle = h / 2;
  auto x = [&] { return among(-40, w + 40); };
  auto y = [&] { return among(0, 2) == 0 ? among(-40, h + 40) : middle + among(-12, 12); };
  auto far = [&](int near) { return among(0, 5) == 0 ? near + among(-1, 1) * (1 << 22) : near; };
  static const char* const names[] = {"A", "Bq", "C12", "Жук", "M_1"};
  std::vector<Call> calls{[w, h](Canvas& c) { c.FillRect(0, 0, w, h, kBackgroundColor); }};
  for (int i = 0; i < 400; ++i) {
    const Color colour = PaletteColor(among(0, 15), kBlack);
    const int width = among(0, 4) == 0 ? among(2, 7) : 1;
    const auto style = static_cast<PenStyle>(among(0, 4));
    const bool transparent = among(0, 2) != 0;
    auto pen = [=](Canvas& c) {
      c.SetPen(colour, width, style);
      c.SetFontColor(colour);
      c.SetBackgroundTransparent(transparent);
    };
    const int x1 = x(), y1 = y();
    const int r = among(0, 9) == 0 ? among(1000, 1 << 22) : among(0, 150);
    Call draw;
    switch (among(0, 6)) {
      case 0:
      case 1: {
        const int x2 = far(among(0, 3) == 0 ? x1 : x()), y2 = far(y());
        draw = [=](Canvas& c) { c.DrawLine(x1, y1, x2, y2); };
        break;
      }
      case 2:
        draw = [=](Canvas& c) { c.DrawEllipse(x1 - r, y1 - r, x1 + r, y1 + r); };
        break;
      case 3: {
        const int x2 = x(), y2 = y();
        draw = [=](Canvas& c) { c.DrawRect(x1, y1, x2, y2); };
        break;
      }
      case 4: {
        const int up = among(0, 14);
        const char* name = names[among(0, 4)];
        draw = [=](Canvas& c) { c.DrawText(x1, y1 - up, name); };
        break;
      }
      case 5: {
        const int up = among(0, 14), glyph = among(1, 7), palette = among(0, 15);
        draw = [=](Canvas& c) { c.DrawPointGlyph(x1, y1 - up, glyph, palette); };
        break;
      }
      default: {
        const int x2 = x1 + among(-30, 30), y2 = y1 + among(-30, 30);
        draw = [=](Canvas& c) { c.FillRect(x1, y1, x2, y2, colour); };
        break;
      }
    }
    calls.push_back([pen, draw](Canvas& c) {
      pen(c);
      draw(c);
    });
  }
  return calls;
}

// `calls` with `count` of them made again later on, at random places.
std::vector<Call> WithRepeats(std::vector<Call> calls, unsigned seed, int count) {
  std::mt19937 random(seed);
  for (int repeat = 0; repeat < count; ++repeat) {
    const std::size_t from = 1 + random() % (calls.size() - 1);
    const std::size_t to = from + 1 + random() % (calls.size() - from);
    calls.insert(calls.begin() + static_cast<std::ptrdiff_t>(to), calls[from]);
  }
  return calls;
}

void PaintAtRandom(Canvas& canvas, unsigned seed, QSize size) {
  for (const Call& call : WithRepeats(RandomCalls(seed, size), seed, 300)) call(canvas);
}

}  // namespace

class QtCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void glyphs_data();
  void glyphs();
  void penStyles_data();
  void penStyles();
  void penWidthAndColour();
  void ellipseHasNoBrush();
  void exportRectangleIsDottedOutline();
  void textBackground_data();
  void textBackground();
  void textMeasureGrowsWithText();
  void textsChangingSizeAreDrawnAnew_data();
  void textsChangingSizeAreDrawnAnew();
  void labelPictureStaysNearItsText_data();
  void labelPictureStaysNearItsText();
  void pointGlyphPlacementRoundsTiesToEven_data();
  void pointGlyphPlacementRoundsTiesToEven();
  void hugeCoordinatesStillDraw();
  void zoomedFarDrawingPaintsWhereItBelongs();
  void floodFillStaysInsideItsArea();
  void labelsLookAsTheFontDrawsThem_data();
  void labelsLookAsTheFontDrawsThem();
  void manyNamesLookAsTheFontDrawsThem_data();
  void manyNamesLookAsTheFontDrawsThem();
  void thinLinesTakeTheNearestPixel();
  void twoBandsPaintLikeOne_data();
  void twoBandsPaintLikeOne();
  void repeatedCallsPaintLikeEveryCall_data();
  void repeatedCallsPaintLikeEveryCall();
  void finerPixelsAreNotBlownUp_data();
  void finerPixelsAreNotBlownUp();
  void buttonPicturesTwiceAsFine_data();
  void buttonPicturesTwiceAsFine();

 private:
  std::optional<PointGlyphTable> table_;
};

void QtCanvasTest::initTestCase() {
  QVERIFY2(PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR)),
           "the build places Mustapha.zmr next to the programs");
  table_ = PointGlyphTable::FromPack();
  QVERIFY(table_.has_value());
}

void QtCanvasTest::glyphs_data() {
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("colour");
  for (int w = 1; w <= 7; ++w) {
    for (int c = 0; c < kPaletteSize; ++c) {
      QTest::addRow("width %d colour %d", w, c) << w << c;
    }
  }
}

// Every glyph: see-through corners, a centre in its own palette colour, and
// a size that keeps the point centred where Draw puts it.
void QtCanvasTest::glyphs() {
  QFETCH(int, width);
  QFETCH(int, colour);
  const QImage& glyph = table_->Glyph(width, colour);
  QVERIFY(!glyph.isNull());
  QCOMPARE(glyph.width(), 2 * width + 3);
  QCOMPARE(glyph.height(), 2 * width + 3);
  const int last = glyph.width() - 1;
  for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
    QCOMPARE(qAlpha(glyph.pixel(corner)), 0);
  }
  const QRgb centre = glyph.pixel(width + 1, width + 1);
  QCOMPARE(qAlpha(centre), 255);
  QCOMPARE(QColor(centre), ToQColor(PaletteColor(colour, kBlack)));
}

void QtCanvasTest::penStyles_data() {
  QTest::addColumn<int>("style");
  QTest::addColumn<QVector<int>>("runs");  // ink, gap, ink, gap... from the line's start
  QTest::newRow("solid") << 0 << QVector<int>{};
  QTest::newRow("dash") << 1 << QVector<int>{18, 6, 18, 6};
  QTest::newRow("dot") << 2 << QVector<int>{3, 3, 3, 3, 3, 3};
  QTest::newRow("dash-dot") << 3 << QVector<int>{9, 6, 3, 6, 9, 6};
  QTest::newRow("dash-dot-dot") << 4 << QVector<int>{9, 3, 3, 3, 3, 3, 9};
}

void QtCanvasTest::penStyles() {
  QFETCH(int, style);
  QFETCH(QVector<int>, runs);
  QImageCanvas canvas(table_ ? &*table_ : nullptr);
  canvas.Resize({200, 40});
  canvas.SetPen(kBlack, 1, static_cast<PenStyle>(style));
  canvas.DrawLine(10, 20, 190, 20);
  const QVector<int> seen = Runs(canvas.Image(), 20, 10, 100);
  if (runs.isEmpty()) {
    QCOMPARE(seen, QVector<int>{});  // one unbroken run, never closed
  } else {
    QCOMPARE(seen.mid(0, runs.size()), runs);
  }
}

void QtCanvasTest::penWidthAndColour() {
  QImageCanvas canvas(nullptr);
  canvas.Resize({100, 40});
  canvas.SetPen(0x0000FF, 5, PenStyle::Dash);  // a wide pen draws solid
  canvas.DrawLine(10, 20, 90, 20);
  const QImage& image = canvas.Image();
  QVERIFY(Runs(image, 20, 12, 70).isEmpty());
  QCOMPARE(QColor(image.pixel(50, 20)), QColor(255, 0, 0));
  QCOMPARE(QColor(image.pixel(50, 18)), QColor(255, 0, 0));
  QCOMPARE(QColor(image.pixel(50, 22)), QColor(255, 0, 0));
  QVERIFY(IsWhite(Pixel(image, 50, 16)));
  QVERIFY(IsWhite(Pixel(image, 50, 24)));
}

void QtCanvasTest::ellipseHasNoBrush() {
  QImageCanvas canvas(nullptr);
  canvas.Resize({100, 100});
  canvas.SetPen(0xFF0000, 1, PenStyle::Solid);
  canvas.DrawEllipse(20, 20, 81, 81);
  const QImage& image = canvas.Image();
  QVERIFY(IsWhite(Pixel(image, 50, 50)));
  QCOMPARE(QColor(image.pixel(20, 50)), QColor(0, 0, 255));
  QCOMPARE(QColor(image.pixel(80, 50)), QColor(0, 0, 255));
  QCOMPARE(QColor(image.pixel(50, 20)), QColor(0, 0, 255));
  QVERIFY(IsWhite(Pixel(image, 19, 50)));
  QVERIFY(IsWhite(Pixel(image, 81, 50)));
}

void QtCanvasTest::exportRectangleIsDottedOutline() {
  QImageCanvas canvas(nullptr);
  canvas.Resize({100, 100});
  canvas.FillRect(0, 0, 100, 100, 0xC0C0C0);
  canvas.SetPen(kBlack, 1, PenStyle::Dot);
  canvas.DrawRect(80, 70, 10, 10);  // corners in any order
  const QImage& image = canvas.Image();
  QCOMPARE(QColor(image.pixel(40, 40)), QColor(192, 192, 192));
  const QVector<int> top = Runs(image, 10, 10, 30, 0xC0C0C0);
  // Dots and gaps of three pixels; the runs at both ends may be cut short.
  QVERIFY(top.size() >= 8);
  for (int i = 2; i < top.size() - 1; ++i) QCOMPARE(top[i], 3);
  int leftInk = 0;  // four whole periods down the left side
  for (int y = 20; y < 44; ++y) leftInk += Pixel(image, 10, y) == 0 ? 1 : 0;
  QCOMPARE(leftInk, 12);
  QCOMPARE(QColor(image.pixel(81, 40)), QColor(192, 192, 192));
}

void QtCanvasTest::textBackground_data() {
  QTest::addColumn<bool>("transparent");
  QTest::newRow("transparent") << true;
  QTest::newRow("opaque") << false;
}

// A label on a transparent background leaves what lies behind it; an opaque
// one clears its box to white.
void QtCanvasTest::textBackground() {
  QFETCH(bool, transparent);
  QImageCanvas canvas(nullptr);
  canvas.Resize({120, 40});
  canvas.FillRect(0, 0, 120, 40, 0xC0C0C0);
  canvas.SetFontColor(0x0000FF);
  canvas.SetBackgroundTransparent(transparent);
  canvas.DrawText(10, 10, "Ab");
  const TextSize size = canvas.MeasureText("Ab");
  const QImage& image = canvas.Image();
  int white = 0, red = 0;
  for (int y = 10; y < 10 + size.height; ++y) {
    for (int x = 10; x < 10 + size.width; ++x) {
      const QColor c(image.pixel(x, y));
      if (c == Qt::white) ++white;
      if (c.red() > 200 && c.green() < 60) ++red;
    }
  }
  QVERIFY(red > 0);
  QCOMPARE(white > 0, !transparent);
  QCOMPARE(QColor(image.pixel(5, 5)), QColor(192, 192, 192));
}

void QtCanvasTest::textMeasureGrowsWithText() {
  QImageCanvas canvas(nullptr, LabelFont(QStringLiteral("Times New Roman")));
  const TextSize one = canvas.MeasureText("A");
  const TextSize three = canvas.MeasureText("AAA");
  const TextSize cyrillic = canvas.MeasureText("Точка");
  QVERIFY(one.width > 0);
  QVERIFY(three.width > 2 * one.width);
  QVERIFY(cyrillic.width > three.width);
  QCOMPARE(one.height, QFontMetrics(LabelFont(QStringLiteral("Times New Roman"))).height());
  QCOMPARE(canvas.MeasureText("").width, 0);
}

void QtCanvasTest::textsChangingSizeAreDrawnAnew_data() {
  QTest::addColumn<int>("before");
  QTest::addColumn<int>("after");
  QTest::newRow("label to text") << 0 << 24;
  QTest::newRow("text to label") << 24 << 0;
  QTest::newRow("text to text") << 24 << 31;
}

// The same words in the same place of the drawing, in another size from
// one repaint to the next (a text's size was changed), show in the new size.
void QtCanvasTest::textsChangingSizeAreDrawnAnew() {
  QFETCH(int, before);
  QFETCH(int, after);
  auto paint = [](QImageCanvas& canvas, int size) {
    canvas.FillRect(0, 0, 200, 80, 0xFFFFFF);
    canvas.SetTextSize(size);
    canvas.DrawText(10, 10, "Ab");
    canvas.SetTextSize(0);
    return canvas.Image();
  };
  QImageCanvas changed(nullptr), fresh(nullptr);
  changed.Resize({200, 80});
  fresh.Resize({200, 80});
  const QImage expected = paint(fresh, after);
  QVERIFY(paint(changed, before) != expected);
  QCOMPARE(paint(changed, after), expected);
}

void QtCanvasTest::labelPictureStaysNearItsText_data() {
  QTest::addColumn<QString>("text");
  for (char16_t c = 1; c < 0x20; ++c) {
    QTest::addRow("control %02x", int(c)) << QString(QChar(c));
    QTest::addRow("control %02x between letters", int(c)) << QStringLiteral("a%1b").arg(QChar(c));
  }
  QTest::newRow("delete") << QStringLiteral("\x7f");
  QTest::newRow("three tabs") << QStringLiteral("\t\t\t");
  QTest::newRow("combining marks") << QString::fromUtf16(u"a\u0301\u0301\u0301\u0301\u0301");
  QTest::newRow("right-to-left marks") << QString::fromUtf16(u"\u202e\u200fAB\u200e");
  QTest::newRow("no-break space") << QString::fromUtf16(u"\u00a0\u00a0");
  QTest::newRow("soft hyphen") << QString::fromUtf16(u"\u00ad");
  QTest::newRow("emoji") << QString::fromUtf16(u"\U0001F600");
  QTest::newRow("twelve wide letters") << QStringLiteral("WWWWWWWWWWWW");
}

// Whatever a name holds, its label is a small picture around the text: a
// tab once asked the painter for a picture of 100 000 by 100 000 pixels.
void QtCanvasTest::labelPictureStaysNearItsText() {
  QFETCH(QString, text);
  const QFont font = LabelFont(QStringLiteral("Times New Roman"));
  const int h = QFontMetrics(font).height();
  LabelPictures labels(font);
  const QByteArray utf8 = text.toUtf8();
  const auto& picture = labels.Get(std::string_view(utf8.data(), utf8.size()), 0xFF000000);
  const QRect near(-h, -h, picture.size.width + 2 * h, 3 * h);
  QVERIFY2(picture.size.width >= 0 && picture.size.width <= 12 * 2 * h, "advance");
  QVERIFY2(near.contains(picture.reach), qPrintable(QStringLiteral("reach %1,%2 %3x%4")
                                                        .arg(picture.reach.x())
                                                        .arg(picture.reach.y())
                                                        .arg(picture.reach.width())
                                                        .arg(picture.reach.height())));
}

void QtCanvasTest::pointGlyphPlacementRoundsTiesToEven_data() {
  QTest::addColumn<double>("x");
  QTest::addColumn<int>("centreColumn");
  QTest::newRow("10.5 rounds down to 10") << 10.5 << 10;
  QTest::newRow("11.5 rounds up to 12") << 11.5 << 12;
  QTest::newRow("11.4 rounds to 11") << 11.4 << 11;
}

// A point's glyph sits on the pixel its coordinates round to, ties to even.
void QtCanvasTest::pointGlyphPlacementRoundsTiesToEven() {
  QFETCH(double, x);
  QFETCH(int, centreColumn);
  ObjectList list;
  TGPoint& p = list.AddPoint();
  p.X = x;
  p.Y = 20;
  p.NameVisible = false;
  list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
  QImageCanvas canvas(&*table_);
  canvas.Resize({40, 40});
  p.Draw(canvas, false, false, {});
  const QImage& image = canvas.Image();
  // Width 1 is a 3-pixel square: its columns are centre-1 .. centre+1.
  QVERIFY(IsWhite(Pixel(image, centreColumn - 2, 20)));
  QCOMPARE(Pixel(image, centreColumn - 1, 20), 0u);
  QCOMPARE(Pixel(image, centreColumn + 1, 20), 0u);
  QVERIFY(IsWhite(Pixel(image, centreColumn + 2, 20)));
}

void QtCanvasTest::hugeCoordinatesStillDraw() {
  constexpr int kHuge = 1 << 24;  // what ToPixel clamps to
  QImageCanvas canvas(&*table_);
  canvas.Resize({100, 100});
  canvas.SetPen(kBlack, 1, PenStyle::Dash);
  canvas.DrawLine(-kHuge, -kHuge, kHuge, kHuge);
  canvas.SetPen(0xFF0000, 2, PenStyle::Solid);
  // A circle of radius 16 000 050 whose lowest point is (60, 50).
  canvas.DrawEllipse(60 - 16000050, -16000000 - 16000050, 60 + 16000050, -16000000 + 16000050);
  canvas.DrawEllipse(-kHuge, -kHuge, kHuge, kHuge);  // around the picture: not seen
  canvas.DrawText(kHuge, kHuge, "far");
  canvas.DrawText(-kHuge, 10, "far");
  canvas.DrawPointGlyph(-kHuge, kHuge, 3, 0);
  canvas.SetPen(kBlack, 1, PenStyle::Dot);
  canvas.DrawRect(-kHuge, -kHuge, kHuge, 90);
  const QImage& image = canvas.Image();
  int diagonal = 0;
  for (int i = 5; i < 95; ++i) diagonal += IsWhite(Pixel(image, i, i)) ? 0 : 1;
  QVERIFY(diagonal > 40);  // dashed, but there
  bool arc = false;
  for (int y = 48; y <= 52; ++y) arc = arc || QColor(image.pixel(60, y)) == QColor(0, 0, 255);
  QVERIFY(arc);
  QVERIFY(IsWhite(Pixel(image, 60, 56)));
  QVERIFY(!IsWhite(Pixel(image, 30, 89)));  // bottom edge of the rectangle
}

// Zoomed far past the pixel range, the line through the zoom centre still
// crosses the picture where it belongs, and the points and the circle, now
// far away, leave no stray ink; zoomed on out of all proportion the drawing
// still paints.
void QtCanvasTest::zoomedFarDrawingPaintsWhereItBelongs() {
  ObjectList list;
  TGPoint& a = list.AddPoint();
  a.X = 10;
  a.Y = 30;
  list.Complete(a, {}, CodeOf(ConstructionMethod::FreePoint));
  TGPoint& b = list.AddPoint();
  b.X = 90;
  b.Y = 70;
  list.Complete(b, {}, CodeOf(ConstructionMethod::FreePoint));
  list.Complete(list.AddLine(), {&a, &b}, CodeOf(ConstructionMethod::LineThroughTwoPoints));
  list.Complete(list.AddCircle(), {&a, &b},
                CodeOf(ConstructionMethod::CircleByCentreAndPoint));  // the zoom centre lies inside
  QImageCanvas canvas(&*table_);
  canvas.Resize({100, 100});
  auto zoomAndPaint = [&](int steps) {
    for (int step = 0; step < steps; ++step) {
      for (std::size_t i = 0; i < list.size(); ++i) list[i].ScaleAbout(50, 50, 10.0);
    }
    canvas.FillRect(0, 0, 100, 100, 0xFFFFFF);
    for (std::size_t i = 0; i < list.size(); ++i) {
      list[i].NameVisible = false;
      list[i].Draw(canvas, false, false, {false, 100, 100});
    }
  };
  zoomAndPaint(9);  // a billion times: every object far beyond what a pixel can hold
  const QImage& image = canvas.Image();
  for (int x = 0; x < 100; ++x) {
    int nearInk = 0, farInk = 0;
    for (int y = 0; y < 100; ++y) {
      const double off = std::abs((y - 50) - (x - 50) / 2.0);  // from y = 50 + (x - 50) / 2
      if (IsWhite(Pixel(image, x, y))) continue;
      ++(off <= 1 ? nearInk : farInk);
    }
    QVERIFY2(nearInk > 0 && farInk == 0, qPrintable(QStringLiteral("column %1").arg(x)));
  }
  zoomAndPaint(51);  // 10^60 times: nothing left to see, but no crash and no hang
}

void QtCanvasTest::floodFillStaysInsideItsArea() {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int i = 0; i < 20; ++i) image.setPixel(10, i, qRgb(0, 0, 0));  // a wall
  for (int y = 2; y < 8; ++y) {
    for (int x = 2; x < 8; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
  }
  FloodFill(image, QPoint(4, 4), qRgb(0, 0, 0), qRgb(0, 255, 0));
  QCOMPARE(QColor(image.pixel(2, 2)), QColor(0, 255, 0));
  QCOMPARE(QColor(image.pixel(7, 7)), QColor(0, 255, 0));
  QCOMPARE(QColor(image.pixel(10, 5)), QColor(0, 0, 0));  // not connected
  QCOMPARE(QColor(image.pixel(1, 1)), QColor(Qt::white));
  FloodFill(image, QPoint(0, 0), qRgb(0, 0, 0), qRgb(255, 0, 0));  // seed not black: nothing
  QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::white));
  QImage large(2000, 2000, QImage::Format_RGB32);  // deep enough to break a recursive fill
  large.fill(Qt::black);
  FloodFill(large, QPoint(1000, 1000), qRgb(0, 0, 0), qRgb(0, 0, 255));
  QCOMPARE(QColor(large.pixel(0, 1999)), QColor(0, 0, 255));
}

void QtCanvasTest::labelsLookAsTheFontDrawsThem_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QPoint>("at");
  QTest::addColumn<QString>("family");
  const QString wide = QStringLiteral("WWWWWWWWWWWW");  // wider than one word of a mask
  const QString times = QStringLiteral("Times New Roman");
  QTest::newRow("inside") << QStringLiteral("A12 Жук") << QPoint(20, 30) << times;
  QTest::newRow("wide") << wide << QPoint(5, 30) << times;
  QTest::newRow("cut by the left edge") << wide << QPoint(-70, 30) << times;
  QTest::newRow("cut by the right edge") << wide << QPoint(150, 30) << times;
  QTest::newRow("cut by the top edge") << QStringLiteral("Qy") << QPoint(20, -6) << times;
  QTest::newRow("cut by the bottom edge") << QStringLiteral("Qy") << QPoint(20, 72) << times;
  // Names put together from letters drawn once: letters that start between
  // pixels, kerned and joined pairs, letters the font lacks, shaped marks.
  const char16_t* names[] = {u"A1234567890", u"B98765",    u"AVATAR To", u"ffi fl",
                             u"ΔΑΒΓ ωψ",     u"Щёлк-3",    u"a'b\"c",    u"x\u2081\u2082",
                             u"e\u0301",     u"il1|!.,;:", u"Ǆǅ",        u"  A  "};
  for (const QString& family :
       {times, QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
        QStringLiteral("DejaVu Sans Mono")}) {
    for (const char16_t* name : names) {
      QTest::addRow("%s in %s", qPrintable(QString::fromUtf16(name)), qPrintable(family))
          << QString::fromUtf16(name) << QPoint(3, 30) << family;
    }
  }
}

// A label's pixels are exactly those the painter sets for its text, wherever
// the picture's edges cut it.
void QtCanvasTest::labelsLookAsTheFontDrawsThem() {
  QFETCH(QString, text);
  QFETCH(QPoint, at);
  QFETCH(QString, family);
  const QFont font = LabelFont(family);
  const QRgb colour = qRgb(0, 0, 255);
  QImageCanvas canvas(nullptr, font);
  canvas.Resize({200, 80});
  canvas.SetFontColor(0xFF0000);
  canvas.SetBackgroundTransparent(true);
  // Names enough, far off the picture, that the text is put together from letters.
  for (std::size_t i = 0; i <= kPaintedBeforeLetters; ++i) {
    const std::string name = std::to_string(i);
    canvas.DrawText(-1000, -1000, name);
  }
  const QByteArray utf8 = text.toUtf8();
  canvas.DrawText(at.x(), at.y(), std::string_view(utf8.data(), utf8.size()));
  QImage expected(200, 80, QImage::Format_RGB32);
  expected.fill(Qt::white);
  QPainter painter(&expected);
  painter.setFont(font);
  painter.setPen(QColor(colour));
  painter.drawText(at + QPoint(0, QFontMetrics(font).ascent()), text);
  painter.end();
  QCOMPARE(canvas.Image(), expected);
  QCOMPARE(canvas.MeasureText(std::string_view(utf8.data(), utf8.size())).width,
           QFontMetrics(font).horizontalAdvance(text));
}

void QtCanvasTest::manyNamesLookAsTheFontDrawsThem_data() {
  QTest::addColumn<QString>("family");
  QTest::addColumn<bool>("smooth");
  for (const char* family :
       {"Times New Roman", "DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"}) {
    QTest::newRow(family) << QString::fromLatin1(family) << false;
    QTest::addRow("%s, smoothed", family) << QString::fromLatin1(family) << true;
  }
}

// A drawing's worth of names mixing kerned, joined and narrow letters, each
// drawn after enough others that most are put together from letters: the
// picture is the painter's, pixel for pixel. Smoothed, the names' pixels
// fill several of the blocks the pictures are kept in.
void QtCanvasTest::manyNamesLookAsTheFontDrawsThem() {
  QFETCH(QString, family);
  QFETCH(bool, smooth);
  QFont font = LabelFont(family);
  const QString letters = QString::fromUtf8("AVWTYLPfiljrtxy1470'.,-ЖДЛУГΔΛΓ ");
  const QSize size(1200, 600);
  QImageCanvas canvas(nullptr, font);
  canvas.SetSmoothing(smooth);
  if (smooth) font.setStyleStrategy(QFont::PreferAntialias);
  canvas.Resize(size);
  canvas.SetFontColor(0x008000);
  canvas.SetBackgroundTransparent(true);
  QImage expected(size, QImage::Format_RGB32);
  expected.fill(Qt::white);
  QPainter painter(&expected);
  painter.setFont(font);
  painter.setPen(QColor(0, 128, 0));
  std::uint32_t seed = 7;
  for (int i = 0; i < 600; ++i) {
    QString name;
    for (int length = 1 + i % 7; length > 0; --length) {
      seed = seed * 1664525u + 1013904223u;
      name += letters[static_cast<qsizetype>(seed >> 8) % letters.size()];
    }
    const QPoint at(10 + (i % 12) * 98, 10 + (i / 12) * 11);
    const QByteArray utf8 = name.toUtf8();
    canvas.DrawText(at.x(), at.y(), std::string_view(utf8.data(), utf8.size()));
    painter.drawText(at + QPoint(0, QFontMetrics(font).ascent()), name);
  }
  painter.end();
  if (smooth) {
    // Smoothed letters are blended into the picture by the canvas, not by
    // the painter: alike to the rounding of a step.
    QVERIFY(LargestChannelDifference(canvas.Image(), expected) <= 1);
    return;
  }
  QCOMPARE(canvas.Image(), expected);
}

// A one-pixel line, in every direction and steepness, cut by a band and by
// the picture's sides, inks in each column (or row) along its longer axis
// the pixel nearest to the true line, halves towards its start, and nothing
// else: however the pen walks it.
void QtCanvasTest::thinLinesTakeTheNearestPixel() {
  QImage image(64, 64, QImage::Format_RGB32);
  PixelRows rows = PixelRows::Whole(image);
  rows.top = 10;
  rows.bottom = 50;
  for (int dx = -61; dx <= 61; dx += 5) {
    for (int dy = -61; dy <= 61; dy += 3) {
      for (const QPoint from : {QPoint(30, 30), QPoint(-7, 55), QPoint(60, 2)}) {
        image.fill(Qt::white);
        ThinPen(rows, qRgb(0, 0, 0), {}).Segment(from, from + QPoint(dx, dy));
        QImage expected(image.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        const int steps = std::max(std::abs(dx), std::abs(dy)),
                  minor = std::min(std::abs(dx), std::abs(dy));
        for (int i = 0; i < steps; ++i) {
          const int k = std::max(0, (i * minor - steps / 2 + steps - 1) / steps);
          const bool xMajor = std::abs(dx) >= std::abs(dy);
          const int x = from.x() + (dx < 0 ? -1 : 1) * (xMajor ? i : k);
          const int y = from.y() + (dy < 0 ? -1 : 1) * (xMajor ? k : i);
          if (x >= 0 && x < 64 && y >= rows.top && y < rows.bottom) expected.setPixel(x, y, 0);
        }
        if (image != expected)
          QFAIL(qPrintable(
              QStringLiteral("from %1,%2 by %3,%4").arg(from.x()).arg(from.y()).arg(dx).arg(dy)));
      }
    }
  }
}

void QtCanvasTest::twoBandsPaintLikeOne_data() {
  QTest::addColumn<int>("drawing");  // 0: the benchmark's, 1: the mixed one, else random
  QTest::addColumn<QSize>("size");
  QTest::addColumn<bool>("smooth");
  QTest::addColumn<double>("ratio");  // picture pixels a unit
  QTest::newRow("benchmark drawing") << 0 << QSize(1262, 666) << false << 1.0;
  QTest::newRow("mixed drawing") << 1 << QSize(1262, 666) << false << 1.0;
  QTest::newRow("mixed drawing, smoothed") << 1 << QSize(1262, 666) << true << 1.0;
  QTest::newRow("mixed drawing, two pixels a unit") << 1 << QSize(800, 500) << false << 2.0;
  for (int seed = 2; seed < 42; ++seed) {
    QTest::addRow("random %d", seed) << seed << QSize(120 + seed * 37 % 400, 3 + seed * 53 % 300)
                                     << (seed % 3 == 0) << (seed % 4 == 1 ? 2.0 : 1.0);
  }
}

// Painting the upper and the lower band at once, the lower one while the
// calls are still being made, must give the very pixels of painting the
// whole picture in one pass, wherever the border between the bands lies and
// in the second repaint of a canvas as in the first. The random drawings
// repeat some calls, which the lower band learns of only after it has
// painted some of them.
void QtCanvasTest::twoBandsPaintLikeOne() {
  QFETCH(int, drawing);
  QFETCH(QSize, size);
  QFETCH(bool, smooth);
  QFETCH(double, ratio);
  ObjectList list;
  if (drawing == 0) bench::BuildDrawing(list, size.width(), size.height());
  if (drawing == 1) bench::BuildMixedDrawing(list, size.width(), size.height());
  auto paint = [&](int bands, double upperShare) {
    QImageCanvas canvas(&*table_);
    canvas.SetBands(bands, upperShare);
    canvas.SetSmoothing(smooth);
    canvas.SetPixelRatio(ratio);
    canvas.Resize(size);
    std::vector<QImage> repaints;
    for (int repaint = 0; repaint < 2; ++repaint) {
      if (drawing < 2) {
        PaintDrawing(canvas, list, &list[0], {false, size.width(), size.height()}, size.width(),
                     size.height());
      } else {
        PaintAtRandom(canvas, static_cast<unsigned>(drawing), size);
      }
      repaints.push_back(canvas.Image().copy());
    }
    return repaints;
  };
  const QImage one = paint(1, 0).front();
  for (const double upperShare : {0.0, 0.25, 0.8}) {
    for (const QImage& two : paint(2, upperShare)) {
      for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
          if (one.pixel(x, y) != two.pixel(x, y)) {
            QFAIL(
                qPrintable(QStringLiteral("share %1, pixel %2,%3").arg(upperShare).arg(x).arg(y)));
          }
        }
      }
    }
  }
}

void QtCanvasTest::repeatedCallsPaintLikeEveryCall_data() {
  QTest::addColumn<int>("seed");
  QTest::addColumn<bool>("smooth");
  QTest::addColumn<double>("ratio");
  for (int seed = 1; seed <= 12; ++seed) {
    QTest::addRow("random %d", seed) << seed << (seed % 3 == 0) << (seed % 4 == 1 ? 2.0 : 1.0);
  }
}

// A call that a later one repeats is not painted: what came between lies
// under the repeat anyway. The picture must be that of painting every call,
// each in a repaint of its own, where no call has a repeat to lean on.
void QtCanvasTest::repeatedCallsPaintLikeEveryCall() {
  QFETCH(int, seed);
  QFETCH(bool, smooth);
  QFETCH(double, ratio);
  const QSize size(300, 160);
  const std::vector<Call> calls =
      WithRepeats(RandomCalls(static_cast<unsigned>(seed), size), static_cast<unsigned>(seed), 200);
  auto canvas = [&] {
    auto made = std::make_unique<QImageCanvas>(&*table_);
    made->SetSmoothing(smooth);
    made->SetPixelRatio(ratio);
    made->Resize(size);
    return made;
  };
  const auto once = canvas(), each = canvas();
  for (const Call& call : calls) {
    call(*once);
    call(*each);
    each->Image();
  }
  const QImage& all = once->Image();
  for (int y = 0; y < all.height(); ++y) {
    for (int x = 0; x < all.width(); ++x) {
      if (all.pixel(x, y) != each->Image().pixel(x, y)) {
        QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
      }
    }
  }
}

void QtCanvasTest::finerPixelsAreNotBlownUp_data() {
  QTest::addColumn<bool>("smooth");
  QTest::newRow("crisp") << false;
  QTest::newRow("smoothed") << true;
}

// On a screen of two pixels a unit the picture has twice the pixels each
// way and the drawing its size in units, but its strokes, letters and glyphs
// are drawn with the finer pixels: not a copy blown up two by two.
void QtCanvasTest::finerPixelsAreNotBlownUp() {
  QFETCH(bool, smooth);
  const QSize size(160, 100);
  auto paint = [&](double ratio) {
    QImageCanvas canvas(&*table_);
    canvas.SetSmoothing(smooth);
    canvas.SetPixelRatio(ratio);
    canvas.Resize(size);
    canvas.FillRect(0, 0, size.width(), size.height(), kBackgroundColor);
    canvas.SetPen(kBlack, 1, PenStyle::Solid);
    canvas.SetFontColor(kBlack);
    canvas.DrawLine(5, 5, 155, 30);
    canvas.DrawEllipse(10, 40, 60, 90);
    canvas.DrawText(80, 50, "Жук");
    canvas.DrawPointGlyph(120, 70, 4, 12);
    return canvas.Image().copy();
  };
  const QImage one = paint(1), two = paint(2);
  QCOMPARE(two.size(), one.size() * 2);
  QCOMPARE(two.deviceIndependentSize(), QSizeF(size));
  const struct {
    const char* what;
    QRect units;
  } kParts[] = {{"line", {5, 0, 150, 35}},
                {"circle", {8, 38, 55, 55}},
                {"label", {78, 45, 35, 25}},
                {"glyph", {118, 68, 14, 14}}};
  for (const auto& part : kParts) {
    int inked = 0, split = 0;  // units with ink; of them, units not of one colour
    for (int y = part.units.top(); y <= part.units.bottom(); ++y) {
      for (int x = part.units.left(); x <= part.units.right(); ++x) {
        const QRgb a = two.pixel(2 * x, 2 * y), b = two.pixel(2 * x + 1, 2 * y);
        const QRgb c = two.pixel(2 * x, 2 * y + 1), d = two.pixel(2 * x + 1, 2 * y + 1);
        inked += !IsWhite(a) || !IsWhite(b) || !IsWhite(c) || !IsWhite(d);
        split += a != b || a != c || a != d;
      }
    }
    // Where the drawing is, it is there as on the coarser picture, and some
    // of its edges fall inside a unit.
    QVERIFY2(inked > 0 && split * 4 > inked, part.what);
  }
  // The line stays thin: no column of the finer picture crosses more than
  // two pixels of full ink.
  for (int x = 12; x < 300; ++x) {
    int ink = 0;
    for (int y = 0; y < 70; ++y) ink += Pixel(two, x, y) == 0;
    QVERIFY2(ink <= 2 && (smooth || ink == 2), qPrintable(QString::number(x)));
  }
}

void QtCanvasTest::buttonPicturesTwiceAsFine_data() {
  QTest::addColumn<QStringList>("rows");  // '#' ink, '.' see-through
  QTest::addColumn<bool>("blocky");       // as each pixel blown up to four
  QTest::newRow("a block") << QStringList{"###", "###", "###"} << true;
  QTest::newRow("a straight edge") << QStringList{"##..", "##..", "##.."} << true;
  QTest::newRow("a diagonal") << QStringList{"#...", ".#..", "..#.", "...#"} << false;
  QTest::newRow("a disc") << QStringList{".##.", "####", "####", ".##."} << false;
}

// Button and cursor pictures on a fine screen: twice the pixels, straight
// edges as they were, slopes and curves in finer steps.
void QtCanvasTest::buttonPicturesTwiceAsFine() {
  QFETCH(QStringList, rows);
  QFETCH(bool, blocky);
  QImage picture(rows[0].size(), rows.size(), QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, rows[y][x] == '#' ? qRgb(0, 0, 128) : 0);
    }
  }
  const QImage twice = ScaledTwice(picture);
  QCOMPARE(twice.size(), picture.size() * 2);
  QCOMPARE(twice == picture.scaled(picture.size() * 2), blocky);
  // Only the picture's own colours.
  for (int y = 0; y < twice.height(); ++y) {
    for (int x = 0; x < twice.width(); ++x) {
      const QRgb p = twice.pixel(x, y);
      QVERIFY(p == 0 || p == qRgb(0, 0, 128));
    }
  }
}

QTEST_MAIN(QtCanvasTest)
#include "qt_canvas_test.moc"
