#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "render/picture_export.h"
#include "render/writers/picture_writer.h"

namespace zelmora {
namespace {

// One drawing pixel is one point of the page: a picture of the screen's size
// prints at the screen's size, and scales from there without loss.
constexpr int kPointsPerInch = 72;

class PdfFileWriter : public PictureWriter {
 public:
  QString Name() const override { return QStringLiteral("PDF"); }
  QStringList Extensions() const override { return {QStringLiteral("pdf")}; }
  bool Raster() const override { return false; }
  QString Summary() const override { return QStringLiteral("shapes, one pixel to one point"); }
  bool Write(QIODevice& device, const PictureJob& job) const override {
    QPdfWriter pdf(&device);
    pdf.setTitle(job.title);
    pdf.setResolution(kPointsPerInch);
    pdf.setPageSize(QPageSize(QSizeF(job.area.size()), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    PaintVectorDrawing(painter, job.source, job.area);
    return painter.end();
  }
};

}  // namespace

const PictureWriter& PdfWriter() {
  static const PdfFileWriter writer;
  return writer;
}

}  // namespace zelmora
