#pragma once

#include <cstdint>

namespace zelmora {

// A colour as the files and the palette know it: 0x00BBGGRR.
using Color = std::uint32_t;

inline constexpr int kPaletteSize = 16;
inline constexpr int kSelectedColorIndex = 14;
inline constexpr int kBackgroundColorIndex = 15;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kSelectedColor = 0x0000FF;  // red: the selection
inline constexpr Color kBlinkColor = 0xFFFFFF;     // white: a blinking object's off phase

// The colour of palette entry `index`, or `fallback` for an index outside 0..15.
Color PaletteColor(int index, Color fallback);

// The palette entry of `color`, or -1 for a colour the palette does not hold.
int PaletteIndex(Color color);

}  // namespace zelmora
