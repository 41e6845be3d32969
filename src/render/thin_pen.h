#pragma once

#include <QImage>
#include <QPoint>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelmora {

struct BlendLog;

// Which pixels of a one-pixel pen are inked, repeating: 1 ink, 0 gap.
using PixelPattern = std::vector<std::uint8_t>;

// A pattern from alternating ink and gap lengths in pixels; {} for solid.
PixelPattern MakePixelPattern(const std::vector<int>& lengths);

// One bit a pixel, by its place in a picture (row * stride + column).
struct PixelMask {
  const std::uint64_t* bits = nullptr;
  bool Has(std::size_t at) const { return ((bits[at / 64] >> (at % 64)) & 1) != 0; }
};

// The memory of a 32-bit picture and the rows [top, bottom) a pen may write
// to. Two bands of one picture are painted at the same time, each by its own
// pen, so a pen must never touch a row outside its band.
struct PixelRows {
  uchar* bits = nullptr;  // row 0 of the whole picture
  qsizetype bytesPerLine = 0;
  int width = 0, height = 0;
  int top = 0, bottom = 0;
  // The columns [left, right) a thin pen, a label or a glyph may write to:
  // a repaint of a small damaged box of crisp calls.
  int left = 0, right = 0;
  BlendLog* blends = nullptr;  // where pens note the pixels they blend, if anywhere
  // The pixels of a layer that lies above what is painted: pens leave them
  // alone, and `aboveColours` (a picture of the same rows) holds what they
  // are to stay, for what else writes them.
  PixelMask above;
  const QRgb* aboveColours = nullptr;

  // Every row of `image`.
  static PixelRows Whole(QImage& image);
};

// One-pixel lines written straight into a 32-bit picture. The painter's
// general stroker takes several times longer per pixel, and a drawing of ten
// thousand objects is mostly one-pixel lines and circles.
// What a pen writes into: the rows of a picture (or of its band), the
// colour made opaque, and the pattern from its phase.
class PenTarget {
 protected:
  PenTarget(const PixelRows& target, QRgb colour, const PixelPattern& pattern, int phase,
            int thickness);

  uchar* bits_;
  qsizetype stride_;  // in pixels
  int width_, top_, bottom_;
  int left_, right_;
  QRgb colour_;
  const PixelPattern& pattern_;
  std::size_t phase_;
  int thickness_;
  PixelMask above_;
};

class ThinPen : private PenTarget {
 public:
  // A pen `thickness` pixels thick covers `thickness` pixels across each
  // step, from the one a thin pen would write on towards greater x or y:
  // the pixels of a thin line on a picture of that many pixels per unit.
  ThinPen(const PixelRows& target, QRgb colour, const PixelPattern& pattern, int phase = 0,
          int thickness = 1);

  // The segment from `from` to `to` without its last pixel, so that joined
  // segments paint each pixel once and a pattern runs on across the joint.
  // The pixels are those of the whole segment: cutting it to the picture
  // (or the band) only leaves out the ones that fall outside.
  void Segment(QPoint from, QPoint to) {
    if (thickness_ > 1) {
      Stacked(from, to);
      return;
    }
    // Most chords of a circle that crosses the other band lie wholly above
    // or below this one; a solid pen has no pattern to move on for them.
    if (pattern_.empty()) {
      if ((from.y() < top_ && to.y() < top_) || (from.y() >= bottom_ && to.y() >= bottom_)) return;
      // Most chords of a circle lie wholly where the pen may write.
      if (above_.bits == nullptr && Writable(from) && Writable(to)) {
        SolidInside(from, to);
        return;
      }
    }
    Walk(from, to);
  }
  // The pixels of one step at `at`, as the end of a line.
  void Dot(QPoint at) { Segment(at, at + QPoint(thickness_, 0)); }

 private:
  // A walk's direction: `steps` along the major axis, `minor` along the other.
  struct WalkAxes {
    bool xMajor = true;
    int steps = 0, minor = 0, half = 0, sx = 1, sy = 1;
  };
  // Where a walk starts writing and how far it goes.
  struct Run {
    QRgb* pixel = nullptr;
    qsizetype majorStep = 0, minorStep = 0;
    int count = 0, error = 0;
  };
  bool Writable(QPoint p) const {
    return p.x() >= left_ && p.x() < right_ && p.y() >= top_ && p.y() < bottom_;
  }
  void Walk(QPoint from, QPoint to);
  void SolidInside(QPoint from, QPoint to);
  static WalkAxes AxesOf(QPoint from, QPoint to) {
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    WalkAxes a;
    a.xMajor = adx >= ady;
    a.steps = a.xMajor ? adx : ady;
    a.minor = a.xMajor ? ady : adx;
    a.half = a.steps / 2;
    a.sx = dx < 0 ? -1 : 1;
    a.sy = dy < 0 ? -1 : 1;
    return a;
  }
  void Stacked(QPoint from, QPoint to);
  bool VisibleSteps(QPoint from, QPoint to, const WalkAxes& a, std::int64_t& first,
                    std::int64_t& last) const;
  void PlotSolid(const Run& run, const WalkAxes& a) const;
  void PlotRuns(const Run& run, const WalkAxes& a) const;
  void PlotDashed(const Run& run, const WalkAxes& a, std::size_t phase) const;
  void PlotGuarded(const Run& run, const WalkAxes& a, std::size_t phase) const;
};

}  // namespace zelmora
