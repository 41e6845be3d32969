#pragma once

#include <QColor>

#include "geometry/palette.h"

namespace zelmora {

// A palette colour (0x00BBGGRR) as Qt knows it.
inline QColor ToQColor(Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// The same as a 32-bit pixel, opaque: without a QColor on the way, as every
// object of a repaint sets its pen.
inline QRgb ToRgb(Color color) {
  return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
              static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace zelmora
