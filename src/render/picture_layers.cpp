#include "render/picture_layers.h"

#include <algorithm>
#include <cstring>

namespace zelmora {
namespace {

bool SameCalls(std::span<const PaintOp> a, std::span<const PaintOp> b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// Puts the pixels of `over` that a call wrote onto `picture`; both have the
// same size and rows, so they are one run of pixels each.
void PutOver(QImage& picture, const QImage& over) {
  const auto count = static_cast<std::size_t>(picture.sizeInBytes()) / sizeof(QRgb);
  const auto* from = reinterpret_cast<const QRgb*>(over.constBits());
  auto* to = reinterpret_cast<QRgb*>(picture.bits());
  for (std::size_t i = 0; i < count; ++i) {
    const QRgb pixel = from[i];
    to[i] = (pixel >> 24) != 0 ? pixel : to[i];
  }
}

}  // namespace

void PictureLayers::Build(QImage& picture, std::span<const PaintOp> calls, LayerPlan plan,
                          const PaintCalls& paint) {
  plan_ = plan;
  calls_.assign(calls.begin(), calls.end());
  under_ = QImage(picture.size(), QImage::Format_RGB32);
  paint(PixelRows::Whole(under_), calls.subspan(0, plan.under));
  over_ = QImage(picture.size(), QImage::Format_RGB32);
  std::memset(over_.bits(), 0, static_cast<std::size_t>(over_.sizeInBytes()));
  if (paint(PixelRows::Whole(over_),
            calls.subspan(plan.overBegin, plan.overEnd - plan.overBegin))) {
    // A blended pixel would need what lies beneath: no upper layer then.
    plan_.overBegin = plan_.overEnd;
    over_ = QImage();
  }
  overStart_ = plan_.overBegin;
  Paint(picture, calls, paint);
}

bool PictureLayers::Fit(std::span<const PaintOp> calls) {
  if (calls_.empty() || calls.size() < plan_.under) return false;
  const std::span<const PaintOp> kept(calls_);
  if (!SameCalls(calls.first(plan_.under), kept.first(plan_.under))) return false;
  const std::size_t length = plan_.overEnd - plan_.overBegin;
  const std::span<const PaintOp> over = kept.subspan(plan_.overBegin, length);
  // In place, or as far from the end as it was when calls before it came or went.
  const auto begin = static_cast<std::ptrdiff_t>(plan_.overBegin);
  const auto moved = static_cast<std::ptrdiff_t>(calls.size()) - std::ssize(calls_);
  for (const std::ptrdiff_t start : {begin, begin + moved}) {
    if (start < static_cast<std::ptrdiff_t>(plan_.under)) continue;
    const auto at = static_cast<std::size_t>(start);
    if (at + length <= calls.size() && SameCalls(calls.subspan(at, length), over)) {
      overStart_ = at;
      return true;
    }
  }
  return false;
}

void PictureLayers::Paint(QImage& picture, std::span<const PaintOp> calls,
                          const PaintCalls& paint) const {
  std::memcpy(picture.bits(), under_.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
  const PixelRows rows = PixelRows::Whole(picture);
  const std::size_t length = plan_.overEnd - plan_.overBegin;
  paint(rows, calls.subspan(plan_.under, overStart_ - plan_.under));
  if (length > 0) PutOver(picture, over_);
  paint(rows, calls.subspan(overStart_ + length));
}

void PictureLayers::Clear() {
  under_ = over_ = QImage();
  calls_.clear();
  calls_.shrink_to_fit();
}

}  // namespace zelmora
