#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "render/blend_log.h"
#include "render/paint_op.h"
#include "render/repaint_diff.h"
#include "render/thin_pen.h"

namespace zelmora {

// How calls wrote their pixels: each whole and opaque, some blended with
// what lay beneath by the pens, or some through a painter, which may leave
// a pixel's alpha as it pleases.
enum class Writes : std::uint8_t { Whole, Blended, ByPainter };

// Paints calls into rows of a picture.
using PaintCalls = std::function<Writes(const PixelRows& rows, std::span<const PaintOp> calls)>;

// The calls a drag does not change, painted once into two pictures: one the
// changing calls are painted over, one painted over them. The upper one
// starts see-through (alpha 0) and every call writes opaque pixels, so
// putting it on the picture takes exactly the pixels its calls wrote, which
// are the ones they would have left painted over the changing calls.
//
// Where the upper calls blend, a pixel they only blended into depends on
// what lies beneath. The upper layer keeps such a pixel as it came out over
// the changing calls of the build, beside what lay beneath it then and the
// blends made into it; where something else lies beneath now, the blends
// are made again over that.
class PictureLayers {
 public:
  // Keeps the layers of `plan` for `calls` and paints the picture from them.
  // `calls` must start by clearing the whole picture.
  void Build(QImage& picture, std::span<const PaintOp> calls, LayerPlan plan,
             const PaintCalls& paint);
  // Whether the layers hold these calls, all but the ones painted at every
  // repaint; then Paint may paint them.
  bool Fit(std::span<const PaintOp> calls);
  void Paint(QImage& picture, std::span<const PaintOp> calls, const PaintCalls& paint) const;
  void Clear();

 private:
  void PaintBlended(QImage& picture, std::span<const PaintOp> calls, const PaintCalls& paint) const;
  void PutBackAbove(QImage& picture) const;
  void PutOverBlended(QImage& picture) const;
  void KeepBlended(std::span<const PaintOp> calls, const PaintCalls& paint);

  // over_'s alpha: 0 where no call wrote, 255 where the calls wrote the
  // pixel whatever lay beneath, 1 where they only blended into it.
  //
  // Where the upper calls wrote whole pixels only, under_ takes over_'s
  // pixels too and over_ goes, leaving the bits of the pixels it wrote
  // (aboveMask_): a step copies the picture once and paints the changing
  // calls into it around those pixels.
  QImage under_, over_;
  std::vector<std::uint64_t> aboveMask_;
  QImage beneath_;                         // under the blended pixels of over_, at the build
  BlendLog blends_;                        // into the blended pixels of over_, each row's by column
  std::vector<std::uint32_t> firstBlend_;  // of each blended pixel, in its row of blends_
  std::vector<PaintOp> calls_;             // those the layers were made of
  LayerPlan plan_;
  std::size_t overStart_ = 0;  // where the calls of the upper layer begin now
};

}  // namespace zelmora
