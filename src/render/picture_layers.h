#pragma once

#include <QImage>
#include <functional>
#include <span>
#include <vector>

#include "render/paint_op.h"
#include "render/repaint_diff.h"
#include "render/thin_pen.h"

namespace zelmora {

// Paints calls into rows of a picture; true when some pixel was blended
// with what lay beneath rather than written.
using PaintCalls = std::function<bool(const PixelRows& rows, std::span<const PaintOp> calls)>;

// The calls a drag does not change, painted once into two pictures: one the
// changing calls are painted over, one painted over them. The upper one
// starts see-through (alpha 0) and every call writes opaque pixels, so
// putting it on the picture takes exactly the pixels its calls wrote, which
// are the ones they would have left painted over the changing calls.
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
  QImage under_, over_;
  std::vector<PaintOp> calls_;  // those the layers were made of
  LayerPlan plan_;
  std::size_t overStart_ = 0;  // where the calls of the upper layer begin now
};

}  // namespace zelmora
