#pragma once

namespace zelmora {

// The largest pixel coordinate handed to a canvas. Far beyond any screen, yet
// small enough that a painter can add widths and offsets without overflowing.
inline constexpr int kMaxPixel = 1 << 24;

// Plane coordinate -> whole pixel: nearest integer, ties to even. NaN becomes
// 0 and anything beyond +-kMaxPixel is clamped, so a drawing zoomed a thousand
// times still paints without undefined behaviour.
inline int ToPixel(double value) {
  if (!(value > -kMaxPixel)) return value != value ? 0 : -kMaxPixel;
  if (value >= kMaxPixel) return kMaxPixel;
  // Added to 1.5 * 2^52 a number this small keeps no fraction: the sum is
  // rounded to a whole number in the default mode, half to even, as
  // nearbyint would, without a call into the library for every coordinate
  // of every object of every repaint.
  constexpr double kWhole = 6755399441055744.0;
  return static_cast<int>((value + kWhole) - kWhole);
}

}  // namespace zelmora
