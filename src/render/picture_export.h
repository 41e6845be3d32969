#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include "render/writers/picture_writer.h"

class QPainter;

namespace zelmora {

// The export dialog's filters, one per writer in the table's order.
QStringList PictureFilters();
// The usual extension of filter `index` of PictureFilters() (the first for any other).
QString PictureExtension(int index);
// The chosen name as it is written: a name without a picture extension gets
// the extension of the chosen filter.
QString WithPictureExtension(const QString& path, int filterIndex);

// Paints the part `area` of the drawing with its top-left corner at the
// painter's origin, clipped to it, as shapes.
void PaintVectorDrawing(QPainter& painter, const DrawingSource& source, const QRect& area);

// Writes the part `area` of the drawing to `path` with `writer`: a raster
// writer copies the pixels of `picture` (the surface's off-screen picture),
// the others paint `source` again as shapes. The file is written beside the
// target and renamed over it, so a failed write leaves an existing file
// untouched. Returns an error text, empty on success.
QString WritePicture(const QString& path, const PictureWriter& writer, const QRect& area,
                     const QImage& picture, const DrawingSource& source);

// One printed page inside `page` (device pixels): a small header line, then
// the whole surface of the drawing below it, as large as fits with its
// proportions kept, centred across the page.
void PaintPrintedPage(QPainter& painter, const QRectF& page, const DrawingSource& source,
                      const QString& header);

}  // namespace zelmora
