#pragma once

#include <QRgb>
#include <cstdint>
#include <span>

#include "geometry/canvas.h"

namespace zelmora {

// A pen style in one byte.
class PenStyleByte {
 public:
  constexpr PenStyleByte(PenStyle style = PenStyle::Solid)
      : code_(static_cast<std::uint8_t>(style)) {}
  constexpr operator PenStyle() const { return static_cast<PenStyle>(code_); }

 private:
  std::uint8_t code_;
};

// One call kept for painting, with the pen and colours it was made with.
// A repaint keeps two lists of tens of thousands of these (this one's and
// the last one's), so the small fields share the first word.
struct PaintOp {
  enum Kind : std::uint8_t { Fill, Rect, Line, Ellipse, Text, Glyph };
  Kind kind = Fill;
  PenStyleByte style = PenStyle::Solid;
  bool opaque = false;        // text: its box is cleared first
  std::uint8_t penWidth = 1;  // the canvas draws no pen wider than 255
  QRgb colour = 0;            // the pen's or the fill's
  int a = 0, b = 0, c = 0, d = 0;
  const void* item = nullptr;     // the label picture or the glyph
  const void* letters = nullptr;  // the label's PackedMask, if it has one

  bool operator==(const PaintOp&) const = default;
};

// Lists of calls compared as bytes: a drag compares tens of thousands of
// calls at every step, and the calls have no padding nor floating point.
bool SameCalls(std::span<const PaintOp> a, std::span<const PaintOp> b);

// Rows [top, bottom) of a picture.
struct RowSpan {
  int top = 0, bottom = 0;
  bool operator==(const RowSpan&) const = default;
};

// Every row the call may write to, within a picture `height` rows high of
// `scale` pixels a unit.
RowSpan RowsOf(const PaintOp& op, int height, double scale = 1);

}  // namespace zelmora
