#include "render/thin_pen.h"

#include <algorithm>
#include <cstdlib>

namespace zelmora {
namespace {
// A walk whose runs along the major axis are at least this long is plotted
// run by run.
constexpr int kLongRuns = 3;
// Working out the runs takes two divisions: a shorter walk, most chords of
// a circle, is cheaper step by step.
constexpr int kStepsWorthRuns = 24;
}  // namespace

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
  PixelRows rows;
  rows.bits = image.bits();
  rows.bytesPerLine = image.bytesPerLine();
  rows.width = image.width();
  rows.height = rows.bottom = image.height();
  rows.right = image.width();
  return rows;
}

PenTarget::PenTarget(const PixelRows& target, QRgb colour, const PixelPattern& pattern, int phase,
                     int thickness)
    : bits_(target.bits),
      stride_(target.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb))),
      width_(target.width),
      top_(target.top),
      bottom_(target.bottom),
      left_(target.left),
      right_(target.right),
      colour_(colour | 0xFF000000u),
      pattern_(pattern),
      phase_(pattern.empty() ? 0 : static_cast<std::size_t>(phase) % pattern.size()),
      thickness_(std::max(1, thickness)),
      above_(target.above) {}

ThinPen::ThinPen(const PixelRows& target, QRgb colour, const PixelPattern& pattern, int phase,
                 int thickness)
    : PenTarget(target, colour, pattern, phase, thickness) {}

// One walk per pixel across, each with the pattern where the first had it.
void ThinPen::Stacked(QPoint from, QPoint to) {
  const bool xMajor = std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y());
  const QPoint across = xMajor ? QPoint(0, 1) : QPoint(1, 0);
  const std::size_t phase = phase_;
  for (int k = 0; k < thickness_; ++k) {
    phase_ = phase;
    Walk(from + k * across, to + k * across);
  }
}

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

// The steps of a walk from `from` that land inside the rows and columns
// allowed, [first, last]; false when none does.
bool ThinPen::VisibleSteps(QPoint from, QPoint to, const WalkAxes& a, std::int64_t& first,
                           std::int64_t& last) const {
  if (Writable(from) && Writable(to)) return true;
  std::int64_t majorFrom, majorTo, minorFrom, minorTo;
  if (a.xMajor) {
    AllowedOffsets(from.x(), a.sx, left_, right_, majorFrom, majorTo);
    AllowedOffsets(from.y(), a.sy, top_, bottom_, minorFrom, minorTo);
  } else {
    AllowedOffsets(from.y(), a.sy, top_, bottom_, majorFrom, majorTo);
    AllowedOffsets(from.x(), a.sx, left_, right_, minorFrom, minorTo);
  }
  if (minorTo < 0 || (a.minor == 0 && minorFrom > 0)) return false;
  first = std::max<std::int64_t>(first, majorFrom);
  last = std::min<std::int64_t>(last, majorTo);
  if (a.minor != 0) {
    // k(i) >= minorFrom from the first such i on; k(i) <= minorTo up to the last.
    if (minorFrom > 0) {
      const std::int64_t need = (minorFrom - 1) * a.steps + 1 + a.half;
      first = std::max(first, (need + a.minor - 1) / a.minor);
    }
    last = std::min(last, (minorTo * a.steps + a.half) / a.minor);
  }
  return first <= last;
}

// Steps along the longer axis, one pixel each, and moves one pixel along the
// shorter axis whenever the error overflows: each pixel is the nearest to
// the true line in its column (or row). The steps that land inside the rows
// and columns allowed are worked out first, so the walk itself tests nothing.
void ThinPen::Walk(QPoint from, QPoint to) {
  if (bits_ == nullptr || from == to) return;
  const WalkAxes a = AxesOf(from, to);
  const std::size_t period = pattern_.size();
  const std::size_t startPhase = phase_;
  if (period != 0) phase_ = (phase_ + static_cast<std::size_t>(a.steps)) % period;
  // Wholly outside: only the pattern moves on. Circles far larger than the
  // picture, and most of a circle seen by the other band, are such segments.
  if (std::max(from.x(), to.x()) < left_ || std::max(from.y(), to.y()) < top_ ||
      std::min(from.x(), to.x()) >= right_ || std::min(from.y(), to.y()) >= bottom_) {
    return;
  }
  std::int64_t first = 0, last = a.steps - 1;
  if (!VisibleSteps(from, to, a, first, last)) return;

  const std::int64_t k = MinorOffset(first, a.minor, a.steps, a.half);
  const int x = from.x() + static_cast<int>(a.xMajor ? a.sx * first : a.sx * k);
  const int y = from.y() + static_cast<int>(a.xMajor ? a.sy * k : a.sy * first);
  Run run;
  run.pixel = reinterpret_cast<QRgb*>(bits_) + y * stride_ + x;
  run.majorStep = a.xMajor ? a.sx : a.sy * stride_;
  run.minorStep = a.xMajor ? a.sy * stride_ : a.sx;
  run.count = static_cast<int>(last - first + 1);
  run.error = static_cast<int>(a.half - first * a.minor + k * a.steps);
  if (above_.bits != nullptr) {
    PlotGuarded(run, a, period == 0 ? 0 : (startPhase + static_cast<std::size_t>(first)) % period);
  } else if (period == 0) {
    PlotSolid(run, a);
  } else {
    PlotDashed(run, a, (startPhase + static_cast<std::size_t>(first)) % period);
  }
}

// The walk of a solid pen whose ends both lie where it may write: every
// step does, so the first step is the first pixel.
void ThinPen::SolidInside(QPoint from, QPoint to) {
  if (bits_ == nullptr || from == to) return;
  const WalkAxes a = AxesOf(from, to);
  Run run;
  run.pixel = reinterpret_cast<QRgb*>(bits_) + from.y() * stride_ + from.x();
  run.majorStep = a.xMajor ? a.sx : a.sy * stride_;
  run.minorStep = a.xMajor ? a.sy * stride_ : a.sx;
  run.count = a.steps;
  run.error = a.half;
  PlotSolid(run, a);
}

void ThinPen::PlotSolid(const Run& run, const WalkAxes& a) const {
  const QRgb colour = colour_;
  QRgb* pixel = run.pixel;
  int count = run.count, error = run.error;
  if (a.minor == 0 && a.xMajor) {  // a horizontal run: one fill
    std::fill_n(a.sx > 0 ? pixel : pixel - (count - 1), count, colour);
    return;
  }
  if (a.minor == 0) {
    for (; count > 0; --count, pixel += run.majorStep) *pixel = colour;
    return;
  }
  if (a.steps >= kLongRuns * a.minor && run.count >= kStepsWorthRuns) {
    PlotRuns(run, a);
    return;
  }
  // In locals: the pixels written might otherwise be the walk's own fields.
  const int minor = a.minor, steps = a.steps;
  const qsizetype majorStep = run.majorStep, minorStep = run.minorStep;
  for (; count > 0; --count) {
    *pixel = colour;
    pixel += majorStep;
    error -= minor;
    if (error < 0) {
      error += steps;
      pixel += minorStep;
    }
  }
}

// The same pixels as the step-by-step walk, a run along the major axis at a
// time: a steep or flat line moves across only every few pixels, and
// deciding that once a run instead of once a pixel halves its cost. After
// the first run, each is q or q + 1 pixels long, as the remainders add up.
void ThinPen::PlotRuns(const Run& run, const WalkAxes& a) const {
  const QRgb colour = colour_;
  const int minor = a.minor, q = a.steps / minor, r = a.steps % minor;
  QRgb* pixel = run.pixel;
  int length = run.error / minor + 1;
  int rest = run.error - (length - 1) * minor;
  for (int count = run.count; count > 0;) {
    length = std::min(length, count);
    count -= length;
    if (!a.xMajor) {
      for (int i = 0; i < length; ++i, pixel += run.majorStep) *pixel = colour;
    } else if (a.sx > 0) {
      pixel = std::fill_n(pixel, length, colour);
    } else {
      std::fill_n(pixel - (length - 1), length, colour);
      pixel -= length;
    }
    pixel += run.minorStep;
    rest += r;
    length = q;
    if (rest >= minor) {
      ++length;
      rest -= minor;
    }
  }
}

void ThinPen::PlotDashed(const Run& run, const WalkAxes& a, std::size_t phase) const {
  const QRgb colour = colour_;
  const std::size_t period = pattern_.size();
  const std::uint8_t* pattern = pattern_.data();
  QRgb* pixel = run.pixel;
  int error = run.error;
  for (int count = run.count; count > 0; --count) {
    if (pattern[phase] != 0) *pixel = colour;
    if (++phase == period) phase = 0;
    pixel += run.majorStep;
    error -= a.minor;
    if (error < 0) {
      error += a.steps;
      pixel += run.minorStep;
    }
  }
}

// Pixel by pixel, leaving alone the pixels of the layer above: the few
// calls a drag step moves, painted under the many it does not.
void ThinPen::PlotGuarded(const Run& run, const WalkAxes& a, std::size_t phase) const {
  const auto* const origin = reinterpret_cast<const QRgb*>(bits_);
  const std::size_t period = pattern_.size();
  QRgb* pixel = run.pixel;
  int error = run.error;
  for (int count = run.count; count > 0; --count) {
    if ((period == 0 || pattern_[phase] != 0) &&
        !above_.Has(static_cast<std::size_t>(pixel - origin))) {
      *pixel = colour_;
    }
    if (period != 0 && ++phase == period) phase = 0;
    pixel += run.majorStep;
    error -= a.minor;
    if (error < 0) {
      error += a.steps;
      pixel += run.minorStep;
    }
  }
}

}  // namespace zelmora
