// The region export and the printed page, driven through the real window.
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "mainwindow/selection_panel.h"
#include "render/picture_export.h"
#include "window_under_test.h"

using namespace zelmora;

namespace {

// Segments from the first point to each of the others, in navy, with every
// name hidden so that each object is one shape.
void DrawFan(ObjectList& list, const std::vector<QPoint>& ends) {
  std::vector<TGPoint*> points;
  for (const QPoint& at : ends) {
    TGPoint& p = list.AddPoint();
    p.X = at.x();
    p.Y = at.y();
    p.MustDraw = false;
    list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
    points.push_back(&p);
  }
  for (std::size_t i = 1; i < points.size(); ++i) {
    TGLine& segment = list.AddLine();
    list.Complete(segment, {points[0], points[i]}, CodeOf(ConstructionMethod::Segment));
    segment.NameVisible = false;
  }
}

// The shapes of each kind in a well-formed SVG; -1 when it does not parse.
QMap<QString, int> CountElements(QFile& file) {
  QMap<QString, int> counts;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement) ++counts[xml.name().toString()];
  }
  if (xml.hasError()) return {{QStringLiteral("error"), -1}};
  return counts;
}

}  // namespace

class ExportWindowTest : public QObject {
  Q_OBJECT

 private:
  WindowUnderTest window;
  QTemporaryDir dir;

  void Drag(QPoint from, QPoint to) {
    TZMPaintBox* plane = window.form->PlaneBox();
    QTest::mousePress(plane, Qt::LeftButton, {}, from);
    QTest::mouseMove(plane, (from + to) / 2);
    QTest::mouseMove(plane, to);
    QTest::mouseRelease(plane, Qt::LeftButton, {}, to);
  }
  void Export(const QString& path) {
    window.prompts.exportPaths.push_back(path);
    window.form->SelectionBar()->ActionButton()->click();
  }

 private slots:
  void init() {
    QVERIFY(window.Start());
    window.form->editor().ClearDrawing();
    DrawFan(window.Objects(), {{200, 150}, {20, 20}, {380, 30}, {390, 280}, {20, 280}, {700, 400}});
    window.form->editor().Repaint();
  }

  // The pictures copy the surface's pixels, never the dotted frame, whichever
  // way the rectangle was dragged.
  void rasterIsTheSurfacesRectangle_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("bmp down-right") << "a.bmp" << QPoint(10, 15) << QPoint(260, 215);
    QTest::newRow("bmp up-left") << "b.bmp" << QPoint(260, 215) << QPoint(10, 15);
    QTest::newRow("png up-left") << "c.png" << QPoint(260, 215) << QPoint(10, 15);
  }
  void rasterIsTheSurfacesRectangle() {
    QFETCH(QString, name);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    window.Trigger("N57");
    QVERIFY(window.form->SelectionBar()->isVisible());
    QVERIFY(!window.form->StatusBar()->isVisible());
    QCOMPARE(window.form->SelectionBar()->Prompt(), QString("Выберите экспортируемую область"));
    QCOMPARE(window.form->SelectionBar()->ActionCaption(), QString("Экспорт"));
    Drag(from, to);
    const QImage framed = window.form->Picture().copy();
    Export(dir.filePath(name));
    QCOMPARE(window.form->editor().State(), InteractionState::Normal);
    QVERIFY(window.form->StatusBar()->isVisible());
    const QRect rect(QPoint(10, 15), QSize(250, 200));
    const QImage expected = window.form->Picture().copy(rect);
    QVERIFY(framed.copy(rect) != expected);  // the frame was there while dragging
    QCOMPARE(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32), expected);
  }

  // The vector pictures: one shape per segment that reaches into the
  // rectangle, on a page of the rectangle's proportions.
  void vectorPicturesHoldTheShapesInTheRectangle() {
    window.Trigger("N57");
    Drag(QPoint(0, 0), QPoint(150, 300));
    Export(dir.filePath("fan.svg"));
    QFile svg(dir.filePath("fan.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QMap<QString, int> shapes = CountElements(svg);
    QVERIFY(!shapes.contains("error"));
    // Of the five segments only those to the left-hand points reach the rectangle.
    QCOMPARE(shapes.value("path"), 2);

    window.Trigger("N57");
    Drag(QPoint(100, 50), QPoint(400, 250));
    Export(dir.filePath("fan.pdf"));
    QFile pdf(dir.filePath("fan.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QCOMPARE(bytes.count("/Type /Page\n"), 1);
    QVERIFY(bytes.contains("/MediaBox [0 0 300.000000 200.000000]"));
  }

  void aFailedWriteNamesTheFileAndKeepsTheExport() {
    window.Trigger("N57");
    Drag(QPoint(10, 10), QPoint(100, 100));
    const QString nowhere = dir.filePath("no such folder/a.bmp");
    Export(nowhere);
    QCOMPARE(window.prompts.messages.size(), 1);
    QVERIFY(window.prompts.messages[0].contains(nowhere));
    QCOMPARE(window.form->editor().State(), InteractionState::ExportRect);
    QVERIFY(window.form->SelectionBar()->isVisible());
    Export(dir.filePath("a.bmp"));
    QVERIFY(QFile::exists(dir.filePath("a.bmp")));
    QCOMPARE(window.form->editor().State(), InteractionState::Normal);
  }

  // Ctrl+Insert puts the drawing on the clipboard as PNG and SVG of its
  // size; in the export, the rectangle chosen so far, without its frame,
  // and the export goes on.
  void copyPutsThePictureOnTheClipboard_data() {
    QTest::addColumn<bool>("inExport");
    QTest::newRow("whole drawing") << false;
    QTest::newRow("chosen rectangle") << true;
  }
  void copyPutsThePictureOnTheClipboard() {
    QFETCH(bool, inExport);
    QRect rect(QPoint(0, 0), window.form->PlaneBox()->size());
    const QImage drawing = window.form->Picture().copy();
    if (inExport) {
      window.Trigger("N57");
      rect = QRect(QPoint(10, 15), QSize(250, 200));
      Drag(rect.topLeft(), rect.bottomRight() + QPoint(1, 1));
    }
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(window.form.get(), Qt::Key_Insert, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied != nullptr);
    QCOMPARE(QImage::fromData(copied->data("image/png")).convertToFormat(QImage::Format_RGB32),
             drawing.copy(rect));
    QSvgRenderer svg(copied->data("image/svg+xml"));
    QCOMPARE(svg.defaultSize(), rect.size());
    QCOMPARE(window.form->editor().State(),
             inExport ? InteractionState::ExportRect : InteractionState::Normal);
    QCOMPARE(window.prompts.dialogs, QStringList());
  }

  // The printed page holds the whole surface, scaled to the page's width
  // with its proportions kept, below the header line.
  void printedPageFitsTheSurface() {
    window.form->editor().ClearDrawing();
    DrawFan(window.Objects(), {{0, 2}, {window.form->PlaneBox()->width(), 2}});
    QImage page(1000, 1400, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PaintPrintedPage(painter, QRectF(0, 0, 1000, 1400), window.form->Source(), "x");
    painter.end();
    // The segment near the top of the surface spans the page's width.
    int row = -1;
    for (int y = 0; y < 200 && row < 0; ++y) {
      if (qGray(page.pixel(500, y)) < 128 && qGray(page.pixel(5, y)) < 200) row = y;
    }
    QVERIFY(row > 1400 * 0.025);  // below the header
    QVERIFY(qGray(page.pixel(995, row)) < 200);
  }

  // The print command goes through the preview; printed to a file, the wide
  // surface gives one landscape page.
  void printingGoesThroughThePreview() {
    const QString pdf = dir.filePath("print.pdf");
    window.prompts.answerDialog = [&](QDialog& dialog) {
      auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
      if (preview == nullptr) return int(QDialog::Rejected);
      preview->printer()->setOutputFileName(pdf);
      emit preview->paintRequested(preview->printer());
      return int(QDialog::Accepted);
    };
    window.Trigger("PrintZM");
    QCOMPARE(window.prompts.dialogs, QStringList{"QPrintPreviewDialog"});
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.count("/Type /Page\n"), 1);
    const QRegularExpressionMatch box = QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")
                                            .match(QString::fromLatin1(bytes));
    QVERIFY(box.hasMatch());
    QVERIFY(box.captured(1).toDouble() > box.captured(2).toDouble());
  }
};

QTEST_MAIN(ExportWindowTest)
#include "export_window_test.moc"
