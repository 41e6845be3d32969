#include "geometry/palette.h"

#include <array>

namespace zelmora {
namespace {

// The order is part of the file format: documents store the index.
constexpr std::array<Color, kPaletteSize> kPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x0000FF, 0xFFFFFF,
};

}  // namespace

Color PaletteColor(int index, Color fallback) {
  if (index < 0 || index >= kPaletteSize) return fallback;
  return kPalette[static_cast<std::size_t>(index)];
}

int PaletteIndex(Color color) {
  for (int i = 0; i < kPaletteSize; ++i) {
    if (kPalette[static_cast<std::size_t>(i)] == color) return i;
  }
  return -1;
}

}  // namespace zelmora
