#include "picture.h"

#include <algorithm>
#include <cstdlib>

namespace zelmora::tools {
namespace {

int Channel(Rgb color, int shift) {
  return static_cast<int>((color >> shift) & 0xFF);
}

// Integer rounding keeps the generated files identical on every machine.
int Blend(int from, int to, int step, int steps) {
  return from + ((to - from) * step * 2 + (to > from ? steps : -steps)) / (steps * 2);
}

}  // namespace

void Picture::Resize(int new_width, int new_height, Rgb background) {
  width = new_width;
  height = new_height;
  pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background);
}

Rgb Picture::At(int x, int y) const {
  return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)];
}

void Picture::Set(int x, int y, Rgb color) {
  if (!Contains(x, y)) return;
  pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x)] = color;
}

void Picture::Fill(Rgb color) {
  pixels.assign(pixels.size(), color);
}

void Picture::VerticalGradient(Rgb top, Rgb bottom) {
  const int steps = height > 1 ? height - 1 : 1;
  for (int y = 0; y < height; ++y) {
    Rgb color = 0;
    for (int shift : {16, 8, 0}) {
      const int value = Blend(Channel(top, shift), Channel(bottom, shift), y, steps);
      color |= static_cast<Rgb>(value) << shift;
    }
    for (int x = 0; x < width; ++x) Set(x, y, color);
  }
}

void Picture::Grid(int step, Rgb color) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (x % step == 0 || y % step == 0) Set(x, y, color);
    }
  }
}

void Picture::Line(int x1, int y1, int x2, int y2, Rgb color) {
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Set(x1, y1, color);
    if (x1 == x2 && y1 == y2) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x1 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y1 += sy;
    }
  }
}

void Picture::Rectangle(int x, int y, int w, int h, Rgb color) {
  const int right = std::min(x + w, width);
  const int bottom = std::min(y + h, height);
  for (int row = std::max(y, 0); row < bottom; ++row) {
    for (int column = std::max(x, 0); column < right; ++column) Set(column, row, color);
  }
}

}  // namespace zelmora::tools
