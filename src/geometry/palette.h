#pragma once

#include <cstdint>

namespace zelmora {

// A colour as the files and the palette know it: 0x00BBGGRR.
using Color = std::uint32_t;

inline constexpr int kPaletteSize = 16;
inline constexpr int kSelectedColorIndex = 14;
inline constexpr int kBackgroundColorIndex = 15;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kSelectedColor = 0x0000FF;    // red: the selection
inline constexpr Color kBackgroundColor = 0xFFFFFF;  // white: the paper of the drawing
// A blinking object's off phase paints it in the paper's colour, so it vanishes.
inline constexpr Color kBlinkColor = kBackgroundColor;

// The colour of palette entry `index`, or `fallback` for an index outside 0..15.
Color PaletteColor(int index, Color fallback);

// The palette entry of `color`, or -1 for a colour the palette does not hold.
int PaletteIndex(Color color);

}  // namespace zelmora
