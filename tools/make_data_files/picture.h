#pragma once

#include <cstdint>
#include <vector>

namespace zelmora::tools {

// 0x00RRGGBB, as the picture sources write colours.
using Rgb = std::uint32_t;

// A picture being drawn, before it becomes a BMP of `bits` per pixel.
struct Picture {
  int width = 0;
  int height = 0;
  int bits = 24;
  std::vector<Rgb> pixels;  // rows from the top
  // Colours in the order an indexed BMP's palette should list them; colours
  // not listed are appended as they are first met.
  std::vector<Rgb> palette_order;

  void Resize(int new_width, int new_height, Rgb background);
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb color);  // outside the picture: ignored

  void Fill(Rgb color);
  void VerticalGradient(Rgb top, Rgb bottom);
  void Grid(int step, Rgb color);
  void Line(int x1, int y1, int x2, int y2, Rgb color);
  void Rectangle(int x, int y, int w, int h, Rgb color);
};

}  // namespace zelmora::tools
