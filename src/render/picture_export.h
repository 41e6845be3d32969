#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

#include "geometry/object_list.h"

class QPainter;

namespace zelmora {

class PointGlyphTable;

enum class PictureFormat { Bmp, Png, Svg, Pdf };

// The format a file name asks for by its extension, in any case.
std::optional<PictureFormat> PictureFormatOf(const QString& path);

// The export dialog's filters, BMP first: the one chosen when nothing else is.
QStringList PictureFilters();
// The extension of filter `index` of PictureFilters() (the first for any other).
QString PictureExtension(int index);
// The chosen name as it is written: a name without a picture extension gets
// the extension of the chosen filter.
QString WithPictureExtension(const QString& path, int filterIndex);

// What a vector picture paints again: the drawing as the surface shows it.
struct DrawingSource {
  ObjectList& objects;  // painting refreshes the lines' drawn ends
  DrawContext context;
  QSize surface;  // the drawing surface the objects are laid out on
  const PointGlyphTable* glyphs = nullptr;
  QFont labelFont;
};

// Paints the part `area` of the drawing with its top-left corner at the
// painter's origin, clipped to it, as shapes.
void PaintVectorDrawing(QPainter& painter, const DrawingSource& source, const QRect& area);

// Writes the part `area` of the drawing to `path`. BMP and PNG copy the
// pixels of `picture` (the surface's off-screen picture) one for one; SVG and
// PDF paint `source` again as shapes, one drawing pixel to one point. The
// file is written beside the target and renamed over it, so a failed write
// leaves an existing file untouched. Returns an error text, empty on success.
QString WritePicture(const QString& path, PictureFormat format, const QRect& area,
                     const QImage& picture, const DrawingSource& source);

// One printed page inside `page` (device pixels): a small header line, then
// the whole surface of the drawing below it, as large as fits with its
// proportions kept, centred across the page.
void PaintPrintedPage(QPainter& painter, const QRectF& page, const DrawingSource& source,
                      const QString& header);

}  // namespace zelmora
