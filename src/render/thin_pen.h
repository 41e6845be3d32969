#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <vector>

namespace zelmora {

// Which pixels of a one-pixel pen are inked, repeating: 1 ink, 0 gap.
using PixelPattern = std::vector<std::uint8_t>;

// A pattern from alternating ink and gap lengths in pixels; {} for solid.
PixelPattern MakePixelPattern(const std::vector<int>& lengths);

// One-pixel lines written straight into a 32-bit picture. The painter's
// general stroker takes several times longer per pixel, and a drawing of ten
// thousand objects is mostly one-pixel lines and circles.
class ThinPen {
 public:
  ThinPen(QImage& image, QRgb colour, const PixelPattern& pattern, int phase = 0);

  // The segment from `from` to `to` without its last pixel, so that joined
  // segments paint each pixel once and a pattern runs on across the joint.
  // Pixels outside the picture are skipped; the caller keeps segments short.
  void Segment(QPoint from, QPoint to);

 private:
  template <bool kPatterned, bool kChecked>
  void Walk(QPoint from, QPoint to);

  uchar* bits_;
  qsizetype bytesPerLine_;
  int width_, height_;
  QRgb colour_;
  const PixelPattern& pattern_;
  std::size_t phase_;
};

}  // namespace zelmora
