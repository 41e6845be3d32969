#pragma once

#include <QPointF>
#include <cstdint>

#include "render/thin_pen.h"

namespace zelmora {

// Smoothed lines written straight into a 32-bit picture: along the longer
// axis one step per pixel, across it the stroke's share of each pixel
// blended over what lies beneath. A painter's antialiased stroker takes
// about ten times as long, and a drawing is mostly such lines.
//
// Points are given as ThinPen takes them, by the pixel the stroke's first
// row (or column) falls in, but may lie between pixels: a stroke `thickness`
// pixels thick from (x, y) covers rows y .. y + thickness across, and where
// y falls between two rows the outer two share the coverage.
class SoftPen : private PenTarget {
 public:
  SoftPen(const PixelRows& target, QRgb colour, const PixelPattern& pattern, int thickness = 1,
          int phase = 0);

  // The segment without the step at `to`, so that joined segments cover each
  // step once and a pattern runs on across the joint.
  void Segment(QPointF from, QPointF to);
  // The pixels of one step at `at`, as the end of a line.
  void Dot(QPoint at);

 private:
  struct Walk;
  void Plot(const Walk& w, int low, int high, std::size_t phase) const;
  void Across(const Walk& walk, int major, std::int64_t minor) const;
  void Blend(int x, int y, unsigned share) const;
  void Put(QRgb* pixel, unsigned share, int x, int y) const;

  BlendLog* log_;
};

}  // namespace zelmora
