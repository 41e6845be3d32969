#include "render/repeated_calls.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace zelmora {
namespace {

std::uint64_t HashOf(const PaintOp& op) {
  static_assert(sizeof(PaintOp) % sizeof(std::uint64_t) == 0);
  std::uint64_t words[sizeof(PaintOp) / sizeof(std::uint64_t)];
  std::memcpy(words, &op, sizeof op);
  std::uint64_t hash = 0;
  for (const std::uint64_t word : words) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
    hash ^= hash >> 29;
  }
  return hash;
}

}  // namespace

bool PaintsOver(const PaintOp& op, bool crisp) {
  switch (op.kind) {
    case PaintOp::Fill:
      return true;
    case PaintOp::Rect:
    case PaintOp::Line:
    case PaintOp::Ellipse:
      // A wider pen goes through a painter, whose pixels are its own business.
      return crisp && op.penWidth == 1;
    case PaintOp::Text:
      // Letters without a mask of their own are blended in.
      return op.letters != nullptr;
    case PaintOp::Glyph:
      return false;  // its edge mixes with what lies beneath
  }
  return false;
}

// From the last call back: a call met again later is marked.
void RepeatedCalls::Mark(std::span<const PaintOp> calls, bool crisp) {
  count_ = 0;
  marks_.assign(calls.size(), 0);
  // The slots hold a call's index + 1 in 32 bits.
  if (calls.size() >= std::numeric_limits<std::uint32_t>::max()) return;
  const std::size_t wanted = std::bit_ceil(std::max<std::size_t>(calls.size() * 2, 64));
  if (slots_.size() != wanted) slots_.resize(wanted);
  std::fill(slots_.begin(), slots_.end(), 0);
  const int shift = 64 - std::countr_zero(wanted);
  const std::size_t mask = wanted - 1;
  for (std::size_t i = calls.size(); i-- > 0;) {
    const PaintOp& op = calls[i];
    if (!PaintsOver(op, crisp)) continue;
    for (std::size_t slot = HashOf(op) >> shift;; slot = (slot + 1) & mask) {
      const std::uint32_t held = slots_[slot];
      if (held == 0) {
        slots_[slot] = static_cast<std::uint32_t>(i + 1);
        break;
      }
      if (SameCalls(calls.subspan(held - 1, 1), calls.subspan(i, 1))) {
        marks_[i] = 1;
        ++count_;
        break;
      }
    }
  }
}

}  // namespace zelmora
