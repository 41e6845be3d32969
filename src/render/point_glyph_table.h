#pragma once

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <array>
#include <optional>

#include "document/image_pack.h"
#include "geometry/palette.h"
#include "render/label_pictures.h"

namespace zelmora {

inline constexpr int kPointGlyphWidths = 7;

// A point glyph as a shape: the disc inscribed in the box its ink covers
// (pixel edges, from the glyph's top-left corner), in the colour of its centre.
struct GlyphDisc {
  QRectF box;
  QColor colour;
};

// The pictures of points: one per glyph size (1..7) and palette colour
// (0..15), all with a transparent background.
class PointGlyphTable {
 public:
  // From the loaded image pack (PackPixmaps); nullopt when a point glyph is
  // missing from it.
  static std::optional<PointGlyphTable> FromPack();

  // A null image outside 1..7 and 0..15.
  const QImage& Glyph(int width, int paletteIndex) const;
  // The same glyph as runs of opaque pixels; null when the glyph has
  // translucent pixels (then only the painter blends it right) or is null.
  const std::vector<InkRun>* Runs(int width, int paletteIndex) const;
  // The glyph drawn as a disc by the pictures that stay sharp at any size;
  // nullopt where the glyph is null or has no ink.
  std::optional<GlyphDisc> Disc(int width, int paletteIndex) const;

 private:
  PointGlyphTable() = default;
  static int Index(int width, int paletteIndex);
  std::array<QImage, kPointGlyphWidths * kPaletteSize> glyphs_;
  std::array<std::optional<std::vector<InkRun>>, kPointGlyphWidths * kPaletteSize> runs_;
};

// Recolours the 4-connected area of `target` pixels that holds `seed` (the
// behaviour of a surface flood fill: nothing happens when `seed` is of
// another colour). Iterative, so an area of any size is safe.
void FloodFill(QImage& image, QPoint seed, QRgb target, QRgb fill);

}  // namespace zelmora
