// Every picture writer of the table, writing a drawing into memory: each
// format's file reads back as the part of the drawing that was asked for.
#include <QBuffer>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <optional>

#include "document/document_file.h"
#include "geometry/construction_method.h"
#include "geometry/paint.h"
#include "render/pack_pixmaps.h"
#include "render/picture_export.h"
#include "render/point_glyph_table.h"
#include "render/qt_canvas.h"

using namespace zelmora;

namespace {

const QString kExample = QStringLiteral(ZELMORA_BIN_DIR "/Saves/Описанная окружность.zms");
constexpr QSize kSurface(800, 600);
// Off the origin, so that a writer that forgets the corner is caught; it
// cuts the dashed line and the circle.
const QRect kArea(150, 100, 500, 380);

bool Ink(QRgb pixel) {
  return qRed(pixel) < 200 || qGreen(pixel) < 200 || qBlue(pixel) < 200;
}

// The share of the ink pixels of `a` with ink of `b` within `radius`: 1 when
// every stroke of `a` has its counterpart in `b`.
double InkFound(const QImage& a, const QImage& b, int radius) {
  int ink = 0, found = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (!Ink(a.pixel(x, y))) continue;
      ++ink;
      bool near = false;
      for (int dy = -radius; dy <= radius && !near; ++dy) {
        for (int dx = -radius; dx <= radius && !near; ++dx) {
          near = b.rect().contains(x + dx, y + dy) && Ink(b.pixel(x + dx, y + dy));
        }
      }
      found += near ? 1 : 0;
    }
  }
  return ink == 0 ? 0 : static_cast<double>(found) / ink;
}

// Both ways: nothing missing, nothing added.
void ExpectAlike(const QImage& made, const QImage& png, int radius, double share) {
  QCOMPARE(made.size(), png.size());
  const double missing = InkFound(png, made, radius), added = InkFound(made, png, radius);
  qInfo("ink of the PNG found: %.3f, ink found in the PNG: %.3f", missing, added);
  QVERIFY(missing >= share);
  QVERIFY(added >= share);
}

}  // namespace

class PictureWritersTest : public QObject {
  Q_OBJECT

  ObjectList objects;
  std::optional<PointGlyphTable> glyphs;
  QImage picture;  // the surface's pixels, as the window shows them
  std::optional<DrawingSource> source;

  QByteArray Written(const PictureWriter& writer) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const bool written = writer.Write(buffer, {kArea, picture, *source, QStringLiteral("Чертёж")});
    return written ? buffer.data() : QByteArray();
  }
  QImage Png() { return picture.copy(kArea).convertToFormat(QImage::Format_RGB32); }

  // What each format must hold besides being written; keyed by the
  // writer's name, so a writer without a check fails the test.
  void CheckRaster(const QByteArray& bytes) {
    QCOMPARE(QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32), Png());
  }
  void CheckSvg(const QByteArray& bytes) {
    QVERIFY(!bytes.contains("<image"));
    QSvgRenderer svg(bytes);
    QVERIFY(svg.isValid());
    // No unit: CSS pixels, so it opens at the PNG's size.
    QVERIFY(bytes.contains(QStringLiteral("width=\"%1\" height=\"%2\"")
                               .arg(kArea.width())
                               .arg(kArea.height())
                               .toLatin1()));
    QCOMPARE(svg.defaultSize(), kArea.size());
    QImage drawn(kArea.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    svg.render(&painter);
    painter.end();
    ExpectAlike(drawn, Png(), 1, 0.97);
  }
  void CheckPdf(const QByteArray& bytes) {
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains(QStringLiteral("/MediaBox [0 0 %1.000000 %2.000000]")
                               .arg(kArea.width())
                               .arg(kArea.height())
                               .toLatin1()));
    QVERIFY(!bytes.contains("/Subtype /Image"));
    // One point a pixel: rasterised at 72 to the inch it is the PNG again.
    const QString rasterizer = QStandardPaths::findExecutable("pdftoppm");
    if (rasterizer.isEmpty()) return;
    QTemporaryDir dir;
    QFile pdf(dir.filePath("picture.pdf"));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write(bytes);
    pdf.close();
    QProcess run;
    run.start(rasterizer, {"-r", "72", "-png", "-singlefile", pdf.fileName(), dir.filePath("p")});
    QVERIFY(run.waitForFinished(60000));
    ExpectAlike(QImage(dir.filePath("p.png")).convertToFormat(QImage::Format_RGB32), Png(), 1,
                0.95);
  }
  void CheckTikz(const QByteArray& bytes) {
    QVERIFY(bytes.contains("\\begin{tikzpicture}"));
    QVERIFY(bytes.contains("\\end{tikzpicture}"));
    QVERIFY(bytes.contains("{O}"));  // the circumcentre's label
    QVERIFY(bytes.contains("\\definecolor{zmNavy}{RGB}{0,0,128}"));
  }

 private slots:
  void initTestCase() {
    DocumentInfo info;
    QVERIFY(LoadPlane(kExample.toStdString(), objects, info).ok());
    objects[0].Name = "Ж<&_%#1";  // letters LaTeX and XML must not take as commands
    QVERIFY(PackPixmaps::Load(QStringLiteral(ZELMORA_BIN_DIR)));
    glyphs = PointGlyphTable::FromPack();
    QVERIFY(glyphs);
    const DrawContext context{false, kSurface.width(), kSurface.height()};
    QImageCanvas canvas(&*glyphs);
    canvas.Resize(kSurface);
    PaintDrawing(canvas, objects, nullptr, context, kSurface.width(), kSurface.height());
    picture = canvas.Image();
    source.emplace(DrawingSource{objects, context, kSurface, &*glyphs, LabelFont({})});
  }

  void everyWriterWritesThePartAskedFor() {
    const std::map<QString, std::function<void(const QByteArray&)>> checks{
        {"BMP", [this](const QByteArray& b) { CheckRaster(b); }},
        {"PNG", [this](const QByteArray& b) { CheckRaster(b); }},
        {"SVG", [this](const QByteArray& b) { CheckSvg(b); }},
        {"PDF", [this](const QByteArray& b) { CheckPdf(b); }},
        {"TikZ", [this](const QByteArray& b) { CheckTikz(b); }},
    };
    for (const PictureWriter* writer : PictureWriters()) {
      qInfo() << "writer" << writer->Name();
      const QByteArray bytes = Written(*writer);
      QVERIFY(!bytes.isEmpty());
      QVERIFY2(checks.count(writer->Name()) == 1, "a writer without a check");
      checks.at(writer->Name())(bytes);
      if (QTest::currentTestFailed()) return;
    }
  }

  // The TikZ picture in a Russian LaTeX document, as its preamble comment
  // tells, looks like the PNG. Needs pdflatex and pdftoppm; installs nothing.
  void tikzCompilesToThePngsPicture() {
    const QString latex = QStandardPaths::findExecutable("pdflatex");
    const QString rasterizer = QStandardPaths::findExecutable("pdftoppm");
    if (latex.isEmpty() || rasterizer.isEmpty()) QSKIP("pdflatex or pdftoppm is not installed");
    QTemporaryDir dir;
    QFile picture(dir.filePath("picture.tex"));
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.write(Written(*WriterFor("a.tex")));
    picture.close();
    QFile document(dir.filePath("sheet.tex"));
    QVERIFY(document.open(QIODevice::WriteOnly));
    // The page is the picture: 0.75 bp a pixel, no margins.
    document.write(QStringLiteral("\\documentclass{article}\n"
                                  "\\usepackage[T2A]{fontenc}\\usepackage[utf8]{inputenc}\n"
                                  "\\usepackage[russian]{babel}\\usepackage{tikz}\n"
                                  "\\pagestyle{empty}\\paperwidth=%1bp \\paperheight=%2bp\n"
                                  "\\hoffset=-1in \\voffset=-1in \\oddsidemargin=0pt "
                                  "\\topmargin=0pt \\headheight=0pt \\headsep=0pt\n"
                                  "\\parindent=0pt\n"
                                  "\\begin{document}\\input{picture.tex}\\end{document}\n")
                       .arg(kArea.width() * 0.75)
                       .arg(kArea.height() * 0.75)
                       .toUtf8());
    document.close();
    QProcess run;
    run.setWorkingDirectory(dir.path());
    run.start(latex, {"-interaction=nonstopmode", "-halt-on-error", "sheet.tex"});
    QVERIFY(run.waitForFinished(300000));
    QVERIFY2(run.exitCode() == 0, run.readAllStandardOutput().right(2000).constData());
    run.start(rasterizer, {"-r", "96", "-png", "-singlefile", "sheet.pdf", "sheet"});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 0);
    const QImage compiled = QImage(dir.filePath("sheet.png")).convertToFormat(QImage::Format_RGB32);
    // The letters are TeX's own, the strokes smoothed: alike, not equal.
    ExpectAlike(compiled, Png(), 2, 0.9);
  }

  // A circle far larger than TeX's lengths reach, crossing the picture, is
  // written as its visible piece in numbers TeX can hold.
  void tikzKeepsHugeCirclesWithinTexsLengths() {
    ObjectList huge;
    TGCircle& circle = huge.AddCircle();
    circle.CX = 400;
    circle.CY = 300 + 1e6;
    circle.R = 1e6;  // its top passes through (400, 300)
    huge.Complete(circle, {}, CodeOf(ConstructionMethod::FreeCircle));
    const DrawingSource hugeSource{huge, source->context, kSurface, &*glyphs, LabelFont({})};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(WriterFor("a.tex")->Write(buffer, {kArea, picture, hugeSource, {}}));
    const QRegularExpression point(R"(\((-?[\d.]+),(-?[\d.]+)\))");
    int corners = 0;
    for (const QString& line : QString::fromUtf8(buffer.data()).split('\n')) {
      if (!line.startsWith("\\draw")) continue;
      // The circle's top, 200 pixels below the picture's, from edge to edge.
      for (const QRegularExpressionMatch& at : point.globalMatch(line)) {
        QVERIFY(std::abs(at.captured(1).toDouble()) < kArea.width() + 10);
        QVERIFY(std::abs(at.captured(2).toDouble() - 200.5) < 1);
        ++corners;
      }
    }
    QVERIFY(corners >= 2);
  }

  // The dialog's filters, the names the command line takes and the
  // extension a bare name gets all come from the same writer.
  void extensionsLeadToTheirWriter() {
    const auto writers = PictureWriters();
    const QStringList filters = PictureFilters();
    QCOMPARE(filters.size(), static_cast<qsizetype>(writers.size()));
    for (std::size_t i = 0; i < writers.size(); ++i) {
      const int index = static_cast<int>(i);
      for (const QString& extension : writers[i]->Extensions()) {
        QCOMPARE(WriterFor("a/b." + extension.toUpper()), writers[i]);
        QVERIFY(filters[index].contains("*." + extension));
      }
      QCOMPARE(WriterFor(WithPictureExtension("a/b", index)), writers[i]);
    }
    QCOMPARE(WriterFor("a/b.gif"), nullptr);
  }
};

QTEST_MAIN(PictureWritersTest)
#include "picture_writers_test.moc"
