#pragma once

namespace zelmora {

// The largest pixel coordinate handed to a canvas. Far beyond any screen, yet
// small enough that a painter can add widths and offsets without overflowing.
inline constexpr int kMaxPixel = 1 << 24;

// Plane coordinate -> whole pixel: nearest integer, ties to even. NaN becomes
// 0 and anything beyond +-kMaxPixel is clamped, so a drawing zoomed a thousand
// times still paints without undefined behaviour.
int ToPixel(double value);

}  // namespace zelmora
