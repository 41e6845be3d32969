#include <QIODevice>

#include "render/writers/picture_writer.h"

// The pixel formats: the surface's picture, one pixel for one, as the screen
// shows it.
namespace zelmora {
namespace {

class ImageFileWriter : public PictureWriter {
 public:
  ImageFileWriter(const char* name, const char* extension) : name_(name), extension_(extension) {}
  QString Name() const override { return QString::fromLatin1(name_); }
  QStringList Extensions() const override { return {QString::fromLatin1(extension_)}; }
  bool Raster() const override { return true; }
  QString Summary() const override { return QStringLiteral("the surface's pixels"); }
  bool Write(QIODevice& device, const PictureJob& job) const override {
    const QImage part = job.picture.copy(job.area);
    return !part.isNull() && part.save(&device, name_);
  }

 private:
  const char* name_;
  const char* extension_;
};

}  // namespace

const PictureWriter& BmpWriter() {
  static const ImageFileWriter writer("BMP", "bmp");
  return writer;
}

const PictureWriter& PngWriter() {
  static const ImageFileWriter writer("PNG", "png");
  return writer;
}

}  // namespace zelmora
