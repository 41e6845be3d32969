#include "render/soft_pen.h"

#include <algorithm>
#include <cmath>

#include "render/blend_log.h"

namespace zelmora {
namespace {

constexpr unsigned kWhole = kWholeShare;

// std::floor is a library call on the baseline processor; the values here
// lie within a few picture sizes of the picture.
int Floor(double v) {
  const int i = static_cast<int>(v);
  return v < i ? i - 1 : i;
}

int Nearest(double v) {
  return Floor(v + 0.5);
}

}  // namespace

SoftPen::SoftPen(const PixelRows& target, QRgb colour, const PixelPattern& pattern, int thickness,
                 int phase)
    : PenTarget(target, colour, pattern, phase, thickness), log_(target.blends) {}

// The steps of a segment: step i lies at `first + sign * i` along the major
// axis and at `minor + slope * i` across it.
struct SoftPen::Walk {
  bool xMajor;
  int first, sign, count;
  double minor, slope;
};

namespace {}  // namespace

// The pixel at (x, y), which `pixel` points to.
inline void SoftPen::Put(QRgb* pixel, unsigned share, int x, int y) const {
  if (share >= kWhole) {
    *pixel = colour_;
    return;
  }
  if (share == 0) return;
  if (log_ != nullptr) [[unlikely]] {
    log_->Note(x, y, colour_, share);
  }
  *pixel = MixShare(*pixel, colour_, share);
}

void SoftPen::Blend(int x, int y, unsigned share) const {
  if (x < 0 || x >= width_ || y < top_ || y >= bottom_) return;
  Put(reinterpret_cast<QRgb*>(bits_) + y * stride_ + x, share, x, y);
}

// One step near the edge of the band: the pixels across the stroke at
// `major`, the first at `minor` (in 1/65536 of a pixel), each tested.
void SoftPen::Across(const Walk& walk, int major, std::int64_t minor) const {
  const int m = static_cast<int>(minor >> 16);
  const unsigned share = static_cast<unsigned>(minor >> 8) & 0xFFu;
  for (int k = 0; k <= thickness_; ++k) {
    const unsigned s = k == 0 ? kWhole - share : k == thickness_ ? share : kWhole;
    if (walk.xMajor) {
      Blend(major, m + k, s);
    } else {
      Blend(m + k, major, s);
    }
  }
}

void SoftPen::Segment(QPointF from, QPointF to) {
  // Most chords of a circle that crosses the other band lie wholly above or
  // below this one; a solid pen has no pattern to move on for them. (The
  // steps lie on whole columns, up to half a pixel past the ends, so the
  // line's rows there reach up to half a pixel beyond the ends' rows.)
  const double above = top_ - thickness_ - 2.0, below = bottom_ + 1.0;
  if (pattern_.empty() &&
      ((from.y() < above && to.y() < above) || (from.y() >= below && to.y() >= below))) {
    return;
  }
  const double dx = to.x() - from.x(), dy = to.y() - from.y();
  Walk w{};
  w.xMajor = std::abs(dx) >= std::abs(dy);
  const double f0 = w.xMajor ? from.x() : from.y(), f1 = w.xMajor ? to.x() : to.y();
  w.first = Nearest(f0);
  const int end = Nearest(f1);
  w.count = std::abs(end - w.first);
  if (w.count == 0) return;
  w.sign = end > w.first ? 1 : -1;
  const double slope = (w.xMajor ? dy : dx) / (f1 - f0);
  w.minor = (w.xMajor ? from.y() : from.x()) + slope * (w.first - f0);
  w.slope = slope * w.sign;
  const std::size_t period = pattern_.size();
  const std::size_t phase = phase_;
  if (period != 0) phase_ = (phase_ + static_cast<std::size_t>(w.count)) % period;
  int low = 0, high = w.count - 1;
  // Along: the picture's columns (or the band's rows).
  const int alongLow = w.xMajor ? 0 : top_, alongHigh = w.xMajor ? width_ : bottom_;
  const int a = w.sign > 0 ? alongLow - w.first : w.first - (alongHigh - 1);
  const int b = w.sign > 0 ? alongHigh - 1 - w.first : w.first - alongLow;
  low = std::max(low, a);
  high = std::min(high, b);
  // Across: steps whose pixels may reach the band (or the columns), and one
  // more on either side.
  const double acrossLow = (w.xMajor ? top_ : 0) - thickness_ - 1.0;
  const double acrossHigh = w.xMajor ? bottom_ : width_;
  if (w.slope == 0) {
    if (w.minor < acrossLow || w.minor >= acrossHigh) return;
  } else {
    // Kept within the segment's steps before they are made whole numbers.
    auto step = [&w](double t) { return Floor(std::clamp(t, -2.0, w.count + 1.0)); };
    const double t0 = (acrossLow - w.minor) / w.slope, t1 = (acrossHigh - w.minor) / w.slope;
    low = std::max(low, step(std::min(t0, t1)) - 1);
    high = std::min(high, step(std::max(t0, t1)) + 1);
  }
  Plot(w, low, high, phase);
}

// The steps [low, high] of a walk; a step wholly inside the band is written
// without a test per pixel.
void SoftPen::Plot(const Walk& w, int low, int high, std::size_t phase) const {
  const std::size_t period = pattern_.size();
  if (period != 0) phase = (phase + static_cast<std::size_t>(low)) % period;
  constexpr double kFixed = 65536.0;
  constexpr int kAhead = 12;
  // Step i lies at the same place whichever step a band starts with.
  const std::int64_t slope = std::llround(w.slope * kFixed);
  std::int64_t minor = std::llround(w.minor * kFixed) + slope * low;
  const int acrossLow = w.xMajor ? top_ : 0,
            acrossHigh = (w.xMajor ? bottom_ : width_) - thickness_;
  const qsizetype across = w.xMajor ? stride_ : 1;
  auto* const base = reinterpret_cast<QRgb*>(bits_);
  int along = w.first + w.sign * low;
  for (int i = low; i <= high; ++i, minor += slope, along += w.sign) {
    if (period != 0) {
      const bool ink = pattern_[phase] != 0;
      if (++phase == period) phase = 0;
      if (!ink) continue;
    }
    const int m = static_cast<int>(minor >> 16);
    if (m < acrossLow || m >= acrossHigh) {
      Across(w, along, minor);
      continue;
    }
    const unsigned share = static_cast<unsigned>(minor >> 8) & 0xFFu;
    QRgb* pixel = base + (w.xMajor ? m * stride_ + along : along * stride_ + m);
    // Blending reads the picture: the pixels some steps ahead are asked for
    // now, as a steep line needs a row of its own at every step.
    const int ahead = static_cast<int>((minor + kAhead * slope) >> 16);
    const QRgb* next = base + (w.xMajor ? ahead * stride_ + along + kAhead * w.sign
                                        : (along + kAhead * w.sign) * stride_ + ahead);
    __builtin_prefetch(next);
    __builtin_prefetch(next + thickness_ * across);
    Put(pixel, kWhole - share, w.xMajor ? along : m, w.xMajor ? m : along);
    for (int k = 1; k < thickness_; ++k) pixel[k * across] = colour_;
    const int far = m + thickness_;
    Put(pixel + thickness_ * across, share, w.xMajor ? along : far, w.xMajor ? far : along);
  }
}

void SoftPen::Dot(QPoint at) {
  for (int dy = 0; dy < thickness_; ++dy) {
    for (int dx = 0; dx < thickness_; ++dx) Blend(at.x() + dx, at.y() + dy, kWhole);
  }
}

}  // namespace zelmora
