#include "controls/pack_pixmaps.h"

#include <QBitmap>
#include <QDir>

#include "document/image_pack.h"

namespace zelmora {

std::vector<QImage>& PackPixmaps::Images() {
  static std::vector<QImage> images;
  return images;
}

bool PackPixmaps::Load(const QString& programFolder) {
  const QString path = QDir(programFolder).filePath(kImagePackFileName);
  const ImagePack pack = ReadImagePack(path.toStdString());
  if (!pack.ok()) return false;
  std::vector<QImage> images;
  for (int n = 1; n <= kImagePackCount; ++n) {
    const std::string& bytes = pack.image(n);
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                    static_cast<int>(bytes.size()), "BMP");
    if (image.isNull()) return false;
    images.push_back(std::move(image));
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

QPixmap PackPixmaps::Glyph(int number) {
  QImage image = Image(number);
  if (image.isNull()) return {};
  if (GlyphStateCount(number) == 2) image = image.copy(0, 0, image.width() / 2, image.height());
  // As flat buttons always did: the bottom-left pixel's colour is see-through.
  QPixmap pixmap = QPixmap::fromImage(image);
  const QColor transparent = image.pixelColor(0, image.height() - 1);
  pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
  return pixmap;
}

}  // namespace zelmora
