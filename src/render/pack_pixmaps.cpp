#include "render/pack_pixmaps.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include "document/image_pack.h"

namespace zelmora {

std::vector<QImage>& PackPixmaps::Images() {
  static std::vector<QImage> images;
  return images;
}

bool PackPixmaps::Load(const QString& programFolder) {
  const QString path = QDir(programFolder).filePath(QString::fromLatin1(kImagePackFileName));
  const ImagePack pack = ReadImagePack(QFile::encodeName(path).toStdString());
  if (!pack.ok()) return false;
  std::vector<QImage> images;
  for (int n = 1; n <= kImagePackCount; ++n) {
    const std::string& bytes = pack.image(n);
    QImage image = QImage::fromData(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), "BMP");
    if (image.isNull()) return false;
    // The conversion also copies: fromRawData does not own the pack's bytes.
    images.push_back(image.convertToFormat(QImage::Format_RGB32));
  }
  Images() = std::move(images);
  return true;
}

bool PackPixmaps::Loaded() {
  return !Images().empty();
}

const QImage& PackPixmaps::Image(int number) {
  static const QImage empty;
  auto& images = Images();
  if (number < 1 || number > static_cast<int>(images.size())) return empty;
  return images[static_cast<std::size_t>(number - 1)];
}

QImage PackPixmaps::WithBottomLeftTransparent(const QImage& image) {
  if (image.isNull()) return {};
  QImage result = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = result.pixel(0, result.height() - 1) | 0xFF000000u;
  for (int y = 0; y < result.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      if ((row[x] | 0xFF000000u) == key) row[x] = 0;
    }
  }
  return result;
}

QPixmap PackPixmaps::Glyph(int number) {
  QImage image = Image(number);
  if (image.isNull()) return {};
  const int states = GlyphStateCount(number);
  if (states > 1) image = image.copy(0, 0, image.width() / states, image.height());
  return QPixmap::fromImage(WithBottomLeftTransparent(image));
}

}  // namespace zelmora
