// zelmora-cli render, run as a user runs it, checked by its pixels.
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kCli = QStringLiteral(ZELMORA_BIN_DIR "/zelmora-cli");
const QString kExample = QStringLiteral(ZELMORA_BIN_DIR "/Saves/Описанная окружность.zms");

int Run(const QStringList& args, QString* errors = nullptr) {
  QProcess process;
  process.start(kCli, args);
  if (!process.waitForFinished(30000)) return -1;
  if (errors != nullptr) *errors = QString::fromUtf8(process.readAllStandardError());
  return process.exitCode();
}

bool IsColor(QRgb pixel, int r, int g, int b) {
  return qRed(pixel) == r && qGreen(pixel) == g && qBlue(pixel) == b;
}

}  // namespace

class CliRenderTest : public QObject {
  Q_OBJECT

 private slots:
  void paintsTheDrawingAsTheWindowDoes_data() {
    QTest::addColumn<QString>("suffix");
    QTest::newRow("png") << "png";
    QTest::newRow("bmp") << "bmp";
  }

  void paintsTheDrawingAsTheWindowDoes() {
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    const QString out = dir.filePath("picture." + suffix);
    QCOMPARE(Run({"render", kExample, out, "--size", "800x600"}), 0);
    const QImage image(out);
    QCOMPARE(image.size(), QSize(800, 600));
    QVERIFY(IsColor(image.pixel(5, 5), 255, 255, 255));
    // Vertex A, a black disc of width 3 around (260, 400), half covered by the
    // circle drawn after it; side AB in black.
    QVERIFY(IsColor(image.pixel(257, 400), 0, 0, 0));
    QVERIFY(IsColor(image.pixel(350, 400), 0, 0, 0));
    // The red circumcentre O at (420, 330).
    QVERIFY(IsColor(image.pixel(420, 330), 255, 0, 0));
    // The navy circumcircle, radius about 174.6, crosses the column through O
    // once below the centre.
    bool crossed = false;
    for (int y = 495; y <= 510; ++y) crossed |= IsColor(image.pixel(420, y), 0, 0, 128);
    QVERIFY(crossed);
  }

  // Crisp pictures hold the palette's colours alone; smoothed ones the
  // shades in between along every stroke, and still white paper around.
  void smoothAddsShadesOnly_data() {
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<bool>("shaded");
    QTest::newRow("crisp") << QStringList{} << false;
    QTest::newRow("--smooth") << QStringList{"--smooth"} << true;
  }

  void smoothAddsShadesOnly() {
    QFETCH(QStringList, flags);
    QFETCH(bool, shaded);
    QTemporaryDir dir;
    const QString out = dir.filePath("picture.png");
    QCOMPARE(Run(QStringList{"render", kExample, out, "--size", "800x600"} + flags), 0);
    const QImage image(out);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFFu);
    }
    QCOMPARE(colours.size() > 40, shaded);
    QVERIFY(IsColor(image.pixel(5, 5), 255, 255, 255));
  }

  // --rect cuts the same pixels out of the drawing whichever corner comes first.
  void rectangleIsThatPartOfTheDrawing_data() {
    QTest::addColumn<QStringList>("corners");
    QTest::newRow("top-left first") << QStringList{"150", "200", "450", "500"};
    QTest::newRow("bottom-right first") << QStringList{"450", "500", "150", "200"};
    QTest::newRow("past the edge") << QStringList{"600", "400", "900", "700"};
  }

  void rectangleIsThatPartOfTheDrawing() {
    QFETCH(QStringList, corners);
    QTemporaryDir dir;
    const QString whole = dir.filePath("whole.png"), part = dir.filePath("part.png");
    QCOMPARE(Run({"render", kExample, whole, "--size", "800x600"}), 0);
    QCOMPARE(Run(QStringList{"render", kExample, part, "--size", "800x600", "--rect"} + corners),
             0);
    const int x1 = corners[0].toInt(), y1 = corners[1].toInt();
    const int x2 = corners[2].toInt(), y2 = corners[3].toInt();
    const QRect expected =
        QRect(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2) - 1, qMax(y1, y2) - 1))
            .intersected(QRect(0, 0, 800, 600));
    const QImage image(part);
    QCOMPARE(image.size(), expected.size());
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
             QImage(whole).copy(expected).convertToFormat(QImage::Format_RGB32));
  }

  // The vector pictures have the rectangle's size, one pixel to one point.
  void vectorPicturesHaveTheRectanglesSize() {
    QTemporaryDir dir;
    const QString svg = dir.filePath("part.svg"), pdf = dir.filePath("part.pdf");
    const QStringList rect{"--rect", "100", "150", "700", "450"};
    QCOMPARE(Run(QStringList{"render", kExample, svg, "--size", "800x600"} + rect), 0);
    QCOMPARE(Run(QStringList{"render", kExample, pdf, "--size", "800x600"} + rect), 0);
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBox(), QRect(0, 0, 600, 300));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/MediaBox [0 0 600.000000 300.000000]"));
  }

  // Measurements and texts reach every picture: their words in the SVG, ink
  // where the 18-pixel text stands in the PNG.
  void measurementsAndTextsArePainted() {
    const QString triangle = QStringLiteral(ZELMORA_SOURCE_DIR "/tests/cli/data/triangle.zms");
    QTemporaryDir dir;
    const QString svg = dir.filePath("t.svg"), png = dir.filePath("t.png");
    QCOMPARE(Run({"render", triangle, svg, "--size", "600x600"}), 0);
    QCOMPARE(Run({"render", triangle, png, "--size", "600x600"}), 0);
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* shown :
         {"Сумма углов: 180,0°", "AB = 7,94", "ABC = 53,1°", "r(S1) = 300,00"}) {
      QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
    }
    const QImage image(png);
    int ink = 0;
    for (int y = 30; y < 52; ++y) {
      for (int x = 40; x < 200; ++x) ink += IsColor(image.pixel(x, y), 0, 0, 0) ? 1 : 0;
    }
    QVERIFY(ink > 100);
  }

  void refusesWhatItCannotDo_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::newRow("missing file") << QStringList{"render", "/no/such.zms", "x.png"} << 1;
    QTest::newRow("bad size") << QStringList{"render", kExample, "x.png", "--size", "0x5"} << 2;
    QTest::newRow("size words") << QStringList{"render", kExample, "x.png", "--size", "big"} << 2;
    QTest::newRow("unknown picture kind") << QStringList{"render", kExample, "x.gif"} << 2;
    QTest::newRow("rect outside") << QStringList{"render", kExample, "x.svg", "--rect",
                                                 "2000",   "0",      "2100",  "50"}
                                  << 2;
    QTest::newRow("rect words") << QStringList{"render", kExample, "x.pdf", "--rect",
                                               "a",      "0",      "5",     "5"}
                                << 2;
    QTest::newRow("unwritable picture")
        << QStringList{"render", kExample, "/no/such/folder/x.png"} << 1;
  }

  void refusesWhatItCannotDo() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QString errors;
    QCOMPARE(Run(args, &errors), status);
    QVERIFY(errors.startsWith("zelmora-cli: "));
  }
};

QTEST_GUILESS_MAIN(CliRenderTest)
#include "cli_render_test.moc"
