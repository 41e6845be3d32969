#include "render/picture_export.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>

#include "geometry/paint.h"
#include "render/vector_canvas.h"

namespace zelmora {
namespace {

// The header line of a printed page, as a share of the page's height.
constexpr double kHeaderShare = 0.025;

}  // namespace

QStringList PictureFilters() {
  QStringList filters;
  for (const PictureWriter* writer : PictureWriters()) filters.append(writer->Filter());
  return filters;
}

QString PictureExtension(int index) {
  const auto writers = PictureWriters();
  const bool known = index >= 0 && static_cast<std::size_t>(index) < writers.size();
  return writers[known ? static_cast<std::size_t>(index) : 0]->Extensions().first();
}

QString WithPictureExtension(const QString& path, int filterIndex) {
  if (WriterFor(path) != nullptr) return path;
  return path + '.' + PictureExtension(filterIndex);
}

void PaintVectorDrawing(QPainter& painter, const DrawingSource& source, const QRect& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(QRect(QPoint(0, 0), area.size()));
  // The surface pixel (x, y) has its centre at (x + 0.5, y + 0.5).
  painter.translate(QPointF(0.5, 0.5) - QPointF(area.topLeft()));
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

QString WritePicture(const QString& path, const PictureWriter& writer, const QRect& area,
                     const QImage& picture, const DrawingSource& source) {
  if (area.isEmpty()) return QStringLiteral("the region is empty");
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  const PictureJob job{area, picture, source, QFileInfo(path).completeBaseName()};
  if (!writer.Write(file, job)) {
    const QString error = file.errorString();
    file.cancelWriting();
    return error.isEmpty() ? QStringLiteral("the picture could not be written") : error;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace zelmora
