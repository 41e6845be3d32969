#include "mainwindow/pack_images.h"

#include <QByteArray>

namespace zelmora {

QImage DecodePackImage(const ImagePack& pack, int number) {
  if (!pack.ok() || number < 1 || number > static_cast<int>(pack.images.size())) return {};
  const std::string& bytes = pack.image(number);
  QImage image = QImage::fromData(
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), "BMP");
  if (image.isNull()) return {};
  // A deep copy: fromRawData does not own the pack's bytes.
  return image.convertToFormat(QImage::Format_RGB32).copy();
}

QImage WithBottomLeftTransparent(const QImage& image) {
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

QPixmap ButtonGlyph(const ImagePack& pack, int number) {
  QImage image = DecodePackImage(pack, number);
  if (image.isNull()) return {};
  const int states = GlyphStateCount(number);
  if (states > 1) image = image.copy(0, 0, image.width() / states, image.height());
  return QPixmap::fromImage(WithBottomLeftTransparent(image));
}

}  // namespace zelmora
