#include "render/point_glyph_table.h"

#include <algorithm>
#include <vector>

#include "render/pack_pixmaps.h"
#include "render/qt_color.h"

namespace zelmora {
namespace {

const QImage kNoGlyph;

// The base glyph in palette colour `index`. The see-through pixels are those
// of the base glyph: judging them after the fill would make the white glyph
// vanish completely, and a blinking point would then never blink.
QImage ColouredGlyph(const QImage& base, int width, int index) {
  QImage filled = base.copy();
  if (index != 0) {
    const QRgb fill = ToQColor(PaletteColor(index, kBlack)).rgb();
    const int seed = PointGlyphFillPixel(width);
    FloodFill(filled, QPoint(seed, seed), qRgb(0, 0, 0), fill);
  }
  const QImage transparentBase = PackPixmaps::WithBottomLeftTransparent(base);
  QImage result = filled.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < result.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    const auto* mask = reinterpret_cast<const QRgb*>(transparentBase.constScanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      if (qAlpha(mask[x]) == 0) row[x] = 0;
    }
  }
  return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

std::optional<GlyphDisc> PointGlyphTable::Disc(int width, int paletteIndex) const {
  const QImage& glyph = Glyph(width, paletteIndex);
  QRect ink;
  for (int y = 0; y < glyph.height(); ++y) {
    for (int x = 0; x < glyph.width(); ++x) {
      if (qAlpha(glyph.pixel(x, y)) != 0) ink |= QRect(x, y, 1, 1);
    }
  }
  if (ink.isEmpty()) return std::nullopt;
  const QPoint centre = ink.center();
  return GlyphDisc{QRectF(ink), glyph.pixelColor(centre)};
}

void FloodFill(QImage& image, QPoint seed, QRgb target, QRgb fill) {
  if (!image.rect().contains(seed)) return;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
    image = image.convertToFormat(QImage::Format_ARGB32);
  }
  target |= 0xFF000000u;
  fill |= 0xFF000000u;
  auto at = [&](int x, int y) -> QRgb& { return reinterpret_cast<QRgb*>(image.scanLine(y))[x]; };
  auto matches = [&](int x, int y) { return (at(x, y) | 0xFF000000u) == target; };
  if (target == fill || !matches(seed.x(), seed.y())) return;
  std::vector<QPoint> pending{seed};
  while (!pending.empty()) {
    const QPoint p = pending.back();
    pending.pop_back();
    if (!image.rect().contains(p) || !matches(p.x(), p.y())) continue;
    at(p.x(), p.y()) = fill;
    pending.push_back({p.x() + 1, p.y()});
    pending.push_back({p.x() - 1, p.y()});
    pending.push_back({p.x(), p.y() + 1});
    pending.push_back({p.x(), p.y() - 1});
  }
}

std::optional<PointGlyphTable> PointGlyphTable::FromPack() {
  PointGlyphTable table;
  for (int width = 1; width <= kPointGlyphWidths; ++width) {
    const QImage& base = PackPixmaps::Image(PointGlyphImage(width));
    if (base.isNull()) return std::nullopt;
    for (int index = 0; index < kPaletteSize; ++index) {
      const auto i = static_cast<std::size_t>(Index(width, index));
      table.glyphs_[i] = ColouredGlyph(base, width, index);
      std::vector<InkRun> runs = InkRunsOf(table.glyphs_[i]);
      const bool opaque = std::all_of(runs.begin(), runs.end(),
                                      [](const InkRun& run) { return qAlpha(run.colour) == 255; });
      if (opaque && !table.glyphs_[i].isNull()) table.runs_[i] = std::move(runs);
    }
  }
  return table;
}

int PointGlyphTable::Index(int width, int paletteIndex) {
  if (width < 1 || width > kPointGlyphWidths || paletteIndex < 0 || paletteIndex >= kPaletteSize) {
    return -1;
  }
  return (width - 1) * kPaletteSize + paletteIndex;
}

const QImage& PointGlyphTable::Glyph(int width, int paletteIndex) const {
  const int i = Index(width, paletteIndex);
  return i < 0 ? kNoGlyph : glyphs_[static_cast<std::size_t>(i)];
}

const std::vector<InkRun>* PointGlyphTable::Runs(int width, int paletteIndex) const {
  const int i = Index(width, paletteIndex);
  if (i < 0 || !runs_[static_cast<std::size_t>(i)]) return nullptr;
  return &*runs_[static_cast<std::size_t>(i)];
}

}  // namespace zelmora
