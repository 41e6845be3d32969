#pragma once

#include <QImage>
#include <QPixmap>

#include "document/image_pack.h"
#include "geometry/palette.h"

// The image pack's pictures as Qt images.
namespace zelmora {

// A palette colour (0x00BBGGRR) as Qt knows it.
inline QColor ToQColor(Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// Image `number` (1-based) decoded as 32-bit RGB; a null image when the BMP
// cannot be decoded.
QImage DecodePackImage(const ImagePack& pack, int number);

// The pack's pictures mark their see-through colour by their bottom-left
// pixel, as flat buttons always did: every pixel of that colour becomes
// transparent.
QImage WithBottomLeftTransparent(const QImage& image);

// A button glyph with its background made transparent; of a two-state glyph
// only the normal (left) half.
QPixmap ButtonGlyph(const ImagePack& pack, int number);

}  // namespace zelmora
