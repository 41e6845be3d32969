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

PixelRows PixelRows::Whole(QImage& image) {
  if (image.isNull()) return {};
  return {image.bits(), image.bytesPerLine(), image.width(), image.height(), 0, image.height()};
}

ThinPen::ThinPen(const PixelRows& target, QRgb colour, const PixelPattern& pattern, int phase)
    : bits_(target.bits),
      stride_(target.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb))),
      width_(target.width),
      top_(target.top),
      bottom_(target.bottom),
      colour_(colour | 0xFF000000u),
      pattern_(pattern),
      phase_(pattern.empty() ? 0 : static_cast<std::size_t>(phase) % pattern.size()) {}

namespace {

// The steps i in [first, last] whose coordinate start + sign * offset(i)
// lies in [low, high); `offset` is i itself (the major axis) or the minor
// offset the walk below reaches by step i.
struct StepRange {
  std::int64_t first, last;
};

// Step i of the walk is drawn `i` pixels along the major axis and k(i) along
// the minor one, where k(i) = ceil((i * minor - half) / steps), at least 0.
std::int64_t MinorOffset(std::int64_t i, std::int64_t minor, std::int64_t steps,
                         std::int64_t half) {
  const std::int64_t n = i * minor - half;
  return n <= 0 ? 0 : (n + steps - 1) / steps;
}

// Offsets allowed by a coordinate running from `start` in direction `sign`
// while staying in [low, high).
void AllowedOffsets(int start, int sign, int low, int high, std::int64_t& from, std::int64_t& to) {
  if (sign > 0) {
    from = std::int64_t{low} - start;
    to = std::int64_t{high} - 1 - start;
  } else {
    from = std::int64_t{start} - (high - 1);
    to = std::int64_t{start} - low;
  }
}

}  // namespace

// Steps along the longer axis, one pixel each, and moves one pixel along the
// shorter axis whenever the error overflows: each pixel is the nearest to
// the true line in its column (or row). The steps that land inside the rows
// and columns allowed are worked out first, so the walk itself tests nothing.
void ThinPen::Walk(QPoint from, QPoint to) {
  if (bits_ == nullptr || from == to) return;
  const int dx = to.x() - from.x(), dy = to.y() - from.y();
  const int adx = std::abs(dx), ady = std::abs(dy);
  const bool xMajor = adx >= ady;
  const int steps = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  const std::size_t period = pattern_.size();
  const std::size_t startPhase = phase_;
  if (period != 0) phase_ = (phase_ + static_cast<std::size_t>(steps)) % period;
  // Wholly outside: only the pattern moves on. Circles far larger than the
  // picture, and most of a circle seen by the other band, are such segments.
  if (std::max(from.x(), to.x()) < 0 || std::max(from.y(), to.y()) < top_ ||
      std::min(from.x(), to.x()) >= width_ || std::min(from.y(), to.y()) >= bottom_) {
    return;
  }
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const int half = steps / 2;
  std::int64_t first = 0, last = steps - 1;
  auto inside = [this](QPoint p) {
    return p.x() >= 0 && p.x() < width_ && p.y() >= top_ && p.y() < bottom_;
  };
  if (!inside(from) || !inside(to)) {
    std::int64_t majorFrom, majorTo, minorFrom, minorTo;
    if (xMajor) {
      AllowedOffsets(from.x(), sx, 0, width_, majorFrom, majorTo);
      AllowedOffsets(from.y(), sy, top_, bottom_, minorFrom, minorTo);
    } else {
      AllowedOffsets(from.y(), sy, top_, bottom_, majorFrom, majorTo);
      AllowedOffsets(from.x(), sx, 0, width_, minorFrom, minorTo);
    }
    if (minorTo < 0 || (minor == 0 && minorFrom > 0)) return;
    first = std::max<std::int64_t>(first, majorFrom);
    last = std::min<std::int64_t>(last, majorTo);
    if (minor != 0) {
      // k(i) >= minorFrom from the first such i on; k(i) <= minorTo up to the last.
      if (minorFrom > 0) {
        const std::int64_t need = (minorFrom - 1) * steps + 1 + half;
        first = std::max(first, (need + minor - 1) / minor);
      }
      last = std::min(last, (minorTo * steps + half) / minor);
    }
    if (first > last) return;
  }

  const std::int64_t k = MinorOffset(first, minor, steps, half);
  const int x = from.x() + static_cast<int>(xMajor ? sx * first : sx * k);
  const int y = from.y() + static_cast<int>(xMajor ? sy * k : sy * first);
  const qsizetype stride = stride_;
  const qsizetype majorStep = xMajor ? sx : sy * stride, minorStep = xMajor ? sy * stride : sx;
  QRgb* pixel = reinterpret_cast<QRgb*>(bits_) + y * stride + x;
  const QRgb colour = colour_;
  int count = static_cast<int>(last - first + 1);
  int error = static_cast<int>(half - first * minor + k * steps);

  if (period == 0) {
    if (minor == 0 && xMajor) {  // a horizontal run: one fill
      std::fill_n(sx > 0 ? pixel : pixel - (count - 1), count, colour);
      return;
    }
    if (minor == 0) {
      for (; count > 0; --count, pixel += majorStep) *pixel = colour;
      return;
    }
    for (; count > 0; --count) {
      *pixel = colour;
      pixel += majorStep;
      error -= minor;
      if (error < 0) {
        error += steps;
        pixel += minorStep;
      }
    }
    return;
  }
  const std::uint8_t* pattern = pattern_.data();
  std::size_t phase = (startPhase + static_cast<std::size_t>(first)) % period;
  for (; count > 0; --count) {
    if (pattern[phase] != 0) *pixel = colour;
    if (++phase == period) phase = 0;
    pixel += majorStep;
    error -= minor;
    if (error < 0) {
      error += steps;
      pixel += minorStep;
    }
  }
}

}  // namespace zelmora
