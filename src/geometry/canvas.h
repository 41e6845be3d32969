#pragma once

#include <string_view>

#include "geometry/palette.h"

namespace zelmora {

enum class PenStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

struct TextSize {
  int width = 0;
  int height = 0;
};

// What the objects draw on. The window implements it on an off-screen image;
// tests record the calls. All coordinates are whole pixels.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPen(Color color, int width, PenStyle style) = 0;
  virtual void SetFontColor(Color color) = 0;
  virtual bool BackgroundTransparent() const = 0;
  virtual void SetBackgroundTransparent(bool transparent) = 0;

  // The whole rectangle in one colour, border included (clearing the picture).
  virtual void FillRect(int left, int top, int right, int bottom, Color color) = 0;
  // A rectangle outline in the current pen, inside left clear.
  virtual void DrawRect(int left, int top, int right, int bottom) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  // The ellipse inscribed in the box, outline only: the inside stays clear.
  virtual void DrawEllipse(int left, int top, int right, int bottom) = 0;
  // Text in the label font, top-left corner at (x, y), UTF-8.
  virtual void DrawText(int x, int y, std::string_view text) = 0;
  virtual TextSize MeasureText(std::string_view text) = 0;
  // Text from here on in the label face at `pixels` high; 0 is the label font.
  virtual void SetTextSize(int pixels) = 0;
  // The point glyph of size `width` (1..7) in palette colour `paletteIndex`,
  // top-left corner at (left, top), drawn transparently.
  virtual void DrawPointGlyph(int left, int top, int width, int paletteIndex) = 0;
};

}  // namespace zelmora
