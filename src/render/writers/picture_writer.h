#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <span>

#include "geometry/object_list.h"

class QIODevice;

namespace zelmora {

class PointGlyphTable;

// What a vector picture paints again: the drawing as the surface shows it.
struct DrawingSource {
  ObjectList& objects;  // painting refreshes the lines' drawn ends
  DrawContext context;
  QSize surface;  // the drawing surface the objects are laid out on
  const PointGlyphTable* glyphs = nullptr;
  QFont labelFont;
};

// One picture to write: the part `area` of the surface, from its pixels
// (`picture`, the surface's off-screen picture) or as shapes from `source`.
struct PictureJob {
  QRect area;
  const QImage& picture;
  const DrawingSource& source;
  QString title;  // what a format that holds a title calls the picture
};

// One picture format of the export, the command line and the clipboard.
// A new format is one class derived from this and one row of
// PictureWriters().
class PictureWriter {
 public:
  virtual ~PictureWriter() = default;
  // The name users know the format by: "PNG".
  virtual QString Name() const = 0;
  // File name endings in lower case, without the dot, the usual one first.
  virtual QStringList Extensions() const = 0;
  // A raster writer copies the surface's pixels one for one; the others
  // paint the drawing again as shapes and never look at the pixels.
  virtual bool Raster() const = 0;
  // What the picture is, for the command line's help: "shapes, 96 pixels to
  // the inch".
  virtual QString Summary() const = 0;
  // The picture into `device`, open for writing; false when the device
  // refused the bytes or the picture could not be made.
  virtual bool Write(QIODevice& device, const PictureJob& job) const = 0;

  // The save dialog's filter: "PNG (*.png)".
  QString Filter() const;
};

// Every format, in the order the export dialog offers them; the first is
// the one chosen when nothing else is.
std::span<const PictureWriter* const> PictureWriters();

// The writer whose extension `path` ends in, in any case; null for none.
const PictureWriter* WriterFor(const QString& path);

}  // namespace zelmora
