#include "render/thin_pen.h"

#include <algorithm>
#include <cstdlib>

namespace zelmora {

PixelPattern MakePixelPattern(const std::vector<int>& lengths) {
  PixelPattern pattern;
  bool ink = true;
  for (int length : lengths) {
    pattern.insert(pattern.end(), static_cast<std::size_t>(length), ink ? 1 : 0);
    ink = !ink;
  }
  return pattern;
}

ThinPen::ThinPen(QImage& image, QRgb colour, const PixelPattern& pattern, int phase)
    : bits_(image.bits()),
      bytesPerLine_(image.bytesPerLine()),
      width_(image.width()),
      height_(image.height()),
      colour_(colour | 0xFF000000u),
      pattern_(pattern),
      phase_(pattern.empty() ? 0 : static_cast<std::size_t>(phase) % pattern.size()) {}

void ThinPen::Segment(QPoint from, QPoint to) {
  if (bits_ == nullptr || from == to) return;
  const int dx = to.x() - from.x(), dy = to.y() - from.y();
  const int steps = std::max(std::abs(dx), std::abs(dy));
  // Wholly outside: only the pattern moves on. Circles far larger than the
  // picture are mostly such segments.
  if (std::max(from.x(), to.x()) < 0 || std::max(from.y(), to.y()) < 0 ||
      std::min(from.x(), to.x()) >= width_ || std::min(from.y(), to.y()) >= height_) {
    if (!pattern_.empty()) phase_ = (phase_ + static_cast<std::size_t>(steps)) % pattern_.size();
    return;
  }
  auto within = [this](QPoint p) {
    return static_cast<unsigned>(p.x()) < static_cast<unsigned>(width_) &&
           static_cast<unsigned>(p.y()) < static_cast<unsigned>(height_);
  };
  const bool inside = within(from) && within(to);
  if (pattern_.empty()) {
    inside ? Walk<false, false>(from, to) : Walk<false, true>(from, to);
  } else {
    inside ? Walk<true, false>(from, to) : Walk<true, true>(from, to);
  }
}

// Steps along the longer axis, one pixel each, and moves one pixel along the
// shorter axis whenever the error overflows: each pixel is the nearest to
// the true line in its column (or row). Everything the loop reads is a local,
// so the compiler need not reload it after every pixel it writes.
template <bool kPatterned, bool kChecked>
void ThinPen::Walk(QPoint from, QPoint to) {
  const int dx = to.x() - from.x(), dy = to.y() - from.y();
  const int adx = std::abs(dx), ady = std::abs(dy);
  const bool xMajor = adx >= ady;
  const int steps = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const qsizetype stride = bytesPerLine_ / static_cast<qsizetype>(sizeof(QRgb));
  const qsizetype majorStep = xMajor ? sx : sy * stride, minorStep = xMajor ? sy * stride : sx;
  const int majorX = xMajor ? sx : 0, majorY = xMajor ? 0 : sy;
  const int minorX = xMajor ? 0 : sx, minorY = xMajor ? sy : 0;
  const unsigned width = static_cast<unsigned>(width_), height = static_cast<unsigned>(height_);
  const QRgb colour = colour_;
  const std::uint8_t* pattern = pattern_.data();
  const std::size_t period = pattern_.size();
  std::size_t phase = phase_;
  QRgb* pixel = reinterpret_cast<QRgb*>(bits_) + from.y() * stride + from.x();
  int x = from.x(), y = from.y();
  int error = steps / 2;
  for (int i = 0; i < steps; ++i) {
    bool ink = true;
    if constexpr (kPatterned) {
      ink = pattern[phase] != 0;
      if (++phase == period) phase = 0;
    }
    if constexpr (kChecked) {
      ink = ink && static_cast<unsigned>(x) < width && static_cast<unsigned>(y) < height;
      x += majorX;
      y += majorY;
    }
    if (ink) *pixel = colour;
    pixel += majorStep;
    error -= minor;
    if (error < 0) {
      error += steps;
      pixel += minorStep;
      if constexpr (kChecked) {
        x += minorX;
        y += minorY;
      }
    }
  }
  phase_ = phase;
}

}  // namespace zelmora
