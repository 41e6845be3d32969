#include "render/pack_pixmaps.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>

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

QImage ScaledTwice(const QImage& source) {
  if (source.isNull()) return {};
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  QImage twice(image.size() * 2, QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  auto at = [&](int x, int y) {
    return image.pixel(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const QRgb p = image.pixel(x, y);
      const QRgb up = at(x, y - 1), left = at(x - 1, y), right = at(x + 1, y), down = at(x, y + 1);
      twice.setPixel(2 * x, 2 * y, left == up && left != down && up != right ? up : p);
      twice.setPixel(2 * x + 1, 2 * y, up == right && up != left && right != down ? right : p);
      twice.setPixel(2 * x, 2 * y + 1, down == left && down != right && left != up ? left : p);
      twice.setPixel(2 * x + 1, 2 * y + 1, right == down && right != up && down != left ? down : p);
    }
  }
  return twice;
}

QPixmap PackPixmaps::ForScreens(const QImage& image) {
  const bool fine = qGuiApp != nullptr && qGuiApp->devicePixelRatio() >= 1.5;
  if (!fine || image.isNull()) return QPixmap::fromImage(image);
  QPixmap twice = QPixmap::fromImage(ScaledTwice(image));
  twice.setDevicePixelRatio(2);
  return twice;
}

QPixmap PackPixmaps::Glyph(int number) {
  QImage image = Image(number);
  if (image.isNull()) return {};
  const int states = GlyphStateCount(number);
  if (states > 1) image = image.copy(0, 0, image.width() / states, image.height());
  return ForScreens(WithBottomLeftTransparent(image));
}

}  // namespace zelmora
