#include "render/picture_export.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <iterator>

#include "geometry/paint.h"
#include "render/vector_canvas.h"

namespace zelmora {
namespace {

struct PictureKind {
  const char* filter;
  const char* extension;
};
constexpr PictureKind kKinds[] = {
    {"BMP (*.bmp)", "bmp"},
    {"PNG (*.png)", "png"},
    {"SVG (*.svg)", "svg"},
    {"PDF (*.pdf)", "pdf"},
};
constexpr int kKindCount = static_cast<int>(std::size(kKinds));

// The header line of a printed page, as a share of the page's height.
constexpr double kHeaderShare = 0.025;

// One drawing pixel is one point of the page: a picture of the screen's size
// prints at the screen's size, and scales from there without loss.
constexpr int kPointsPerInch = 72;

bool WriteVector(QSaveFile& file, PictureFormat format, const QRect& area,
                 const DrawingSource& source) {
  const QString title = QFileInfo(file.fileName()).completeBaseName();
  if (format == PictureFormat::Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(area.size());
    svg.setViewBox(QRect(QPoint(0, 0), area.size()));
    svg.setResolution(kPointsPerInch);
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    PaintVectorDrawing(painter, source, area);
    return painter.end();
  }
  QPdfWriter pdf(&file);
  pdf.setTitle(title);
  pdf.setResolution(kPointsPerInch);
  pdf.setPageSize(QPageSize(QSizeF(area.size()), QPageSize::Point));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  PaintVectorDrawing(painter, source, area);
  return painter.end();
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("bmp")) return PictureFormat::Bmp;
  if (suffix == QLatin1String("png")) return PictureFormat::Png;
  if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
  if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

QStringList PictureFilters() {
  QStringList filters;
  for (const PictureKind& kind : kKinds) filters.append(QString::fromLatin1(kind.filter));
  return filters;
}

QString PictureExtension(int index) {
  return QString::fromLatin1(kKinds[index >= 0 && index < kKindCount ? index : 0].extension);
}

QString WithPictureExtension(const QString& path, int filterIndex) {
  if (PictureFormatOf(path)) return path;
  return path + '.' + PictureExtension(filterIndex);
}

void PaintVectorDrawing(QPainter& painter, const DrawingSource& source, const QRect& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(QRect(QPoint(0, 0), area.size()));
  painter.translate(-area.topLeft());
  VectorCanvas canvas(painter, source.glyphs, source.labelFont, area);
  PaintDrawing(canvas, source.objects, nullptr, source.context, source.surface.width(),
               source.surface.height());
  painter.restore();
}

void PaintPrintedPage(QPainter& painter, const QRectF& page, const DrawingSource& source,
                      const QString& header) {
  if (source.surface.isEmpty() || page.isEmpty()) return;
  painter.save();
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(std::max(1, static_cast<int>(page.height() * kHeaderShare * 0.6)));
  painter.setFont(font);
  painter.setPen(Qt::black);
  const double headerHeight = page.height() * kHeaderShare;
  const QRectF headerBox(page.left(), page.top(), page.width(), headerHeight);
  painter.drawText(
      headerBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
      QFontMetrics(font).elidedText(header, Qt::ElideRight, static_cast<int>(page.width())));
  const QRectF room(page.left(), page.top() + headerHeight, page.width(),
                    page.height() - headerHeight);
  const double scale =
      std::min(room.width() / source.surface.width(), room.height() / source.surface.height());
  const double width = source.surface.width() * scale;
  painter.translate(room.left() + (room.width() - width) / 2, room.top());
  painter.scale(scale, scale);
  PaintVectorDrawing(painter, source, QRect(QPoint(0, 0), source.surface));
  painter.restore();
}

QString WritePicture(const QString& path, PictureFormat format, const QRect& area,
                     const QImage& picture, const DrawingSource& source) {
  if (area.isEmpty()) return QStringLiteral("the region is empty");
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  bool written = false;
  switch (format) {
    case PictureFormat::Bmp:
      written = picture.copy(area).save(&file, "BMP");
      break;
    case PictureFormat::Png:
      written = picture.copy(area).save(&file, "PNG");
      break;
    case PictureFormat::Svg:
    case PictureFormat::Pdf:
      written = WriteVector(file, format, area, source);
      break;
  }
  if (!written) {
    const QString error = file.errorString();
    file.cancelWriting();
    return error.isEmpty() ? QStringLiteral("the picture could not be written") : error;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace zelmora
