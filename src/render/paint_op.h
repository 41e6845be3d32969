#pragma once

#include <QRgb>
#include <cstdint>

#include "geometry/canvas.h"

namespace zelmora {

// One call kept for painting, with the pen and colours it was made with.
struct PaintOp {
  enum Kind : std::uint8_t { Fill, Rect, Line, Ellipse, Text, Glyph };
  Kind kind = Fill;
  PenStyle style = PenStyle::Solid;
  bool opaque = false;  // text: its box is cleared first
  int penWidth = 1;
  QRgb colour = 0;  // the pen's or the fill's
  int a = 0, b = 0, c = 0, d = 0;
  const void* item = nullptr;     // the label picture or the glyph
  const void* letters = nullptr;  // the label's PackedMask, if it has one

  bool operator==(const PaintOp&) const = default;
};

// Rows [top, bottom) of a picture.
struct RowSpan {
  int top = 0, bottom = 0;
  bool operator==(const RowSpan&) const = default;
};

// Every row the call may write to, within a picture `height` rows high of
// `scale` pixels a unit.
RowSpan RowsOf(const PaintOp& op, int height, double scale = 1);

}  // namespace zelmora
