#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "render/paint_op.h"

namespace zelmora {

// Whether painting `op` writes whole opaque pixels that follow from the call
// alone: a thin pen, letters of one bit a pixel, a fill. `crisp` when pens
// are not smoothed (a soft pen mixes its colour into what lies beneath).
bool PaintsOver(const PaintOp& op, bool crisp);

// The calls of a repaint that a later call repeats exactly. Such a call
// writes the same pixels each time, so its earlier copies are painted over
// pixel for pixel and need not be painted at all. A construction replayed
// on the same points, or an object built twice, draws the same figure again.
class RepeatedCalls {
 public:
  void Mark(std::span<const PaintOp> calls, bool crisp);
  // One byte a call, nonzero for a call to pass over; null when none is.
  const std::uint8_t* Marks() const { return count_ == 0 ? nullptr : marks_.data(); }
  std::size_t Count() const { return count_; }

 private:
  std::vector<std::uint32_t> slots_;  // a call's index + 1, or 0 for a free slot
  std::vector<std::uint8_t> marks_;
  std::size_t count_ = 0;
};

}  // namespace zelmora
