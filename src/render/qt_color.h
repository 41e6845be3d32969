#pragma once

#include <QColor>

#include "geometry/palette.h"

namespace zelmora {

// A palette colour (0x00BBGGRR) as Qt knows it.
inline QColor ToQColor(Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace zelmora
