#include "render/picture_layers.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace zelmora {
namespace {

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

// The most blends the upper calls may note in a row, for each of its pixels
// (12 bytes a blend): a smoothed drawing of 10 000 objects notes about
// twelve a pixel, about 120 MB on a surface of 1280 × 800 for a moment.
constexpr std::size_t kMostBlendsAPixel = 32;

// The alpha of a pixel the upper calls only blended into.
constexpr QRgb kBlendedOnly = 0x01000000u;

std::size_t PixelCount(const QImage& image) {
  return static_cast<std::size_t>(image.sizeInBytes()) / sizeof(QRgb);
}

// One bit for each pixel of `over` that a call wrote.
std::vector<std::uint64_t> MaskOf(const QImage& over) {
  const std::size_t count = PixelCount(over);
  std::vector<std::uint64_t> mask((count + 63) / 64, 0);
  const auto* const pixels = reinterpret_cast<const QRgb*>(over.constBits());
  for (std::size_t i = 0; i < count; ++i) {
    mask[i / 64] |= std::uint64_t{(pixels[i] >> 24) != 0} << (i % 64);
  }
  return mask;
}

QImage SeeThrough(QSize size, QRgb colour) {
  QImage image(size, QImage::Format_RGB32);
  std::fill_n(reinterpret_cast<QRgb*>(image.bits()), PixelCount(image), colour);
  return image;
}

// The blends of a row made into column x, from the first of them.
std::span<const Blend> BlendsAt(const std::vector<Blend>& row, std::uint32_t first, int x) {
  std::size_t last = first;
  while (last < row.size() && row[last].x == x) ++last;
  return std::span<const Blend>(row).subspan(first, last - first);
}

// Orders a row's blends by column, each column's in the order they were
// made, and notes where each column's begin. (A row holds thousands of
// blends; counting them by column spares the comparisons of a sort.)
void SortByColumn(std::vector<Blend>& row, std::span<std::uint32_t> first) {
  std::fill(first.begin(), first.end(), 0);
  for (const Blend& b : row) ++first[static_cast<std::size_t>(b.x)];
  std::uint32_t at = 0;
  for (std::uint32_t& x : first) at += std::exchange(x, at);
  std::vector<Blend> sorted(row.size());
  for (const Blend& b : row) sorted[first[static_cast<std::size_t>(b.x)]++] = b;
  // Each column's start moved on to the next one's.
  for (std::size_t x = first.size(); x-- > 1;) first[x] = first[x - 1];
  if (!first.empty()) first[0] = 0;
  row.swap(sorted);
}

}  // namespace

void PictureLayers::Build(QImage& picture, std::span<const PaintOp> calls, LayerPlan plan,
                          const PaintCalls& paint) {
  plan_ = plan;
  calls_.assign(calls.begin(), calls.end());
  under_ = QImage(picture.size(), QImage::Format_RGB32);
  paint(PixelRows::Whole(under_), calls.subspan(0, plan.under));
  beneath_ = QImage();
  over_ = SeeThrough(picture.size(), 0);
  blends_.Start(static_cast<std::size_t>(over_.height()), kMostBlendsAPixel,
                static_cast<std::size_t>(over_.width()));
  PixelRows overRows = PixelRows::Whole(over_);
  overRows.blends = &blends_;
  const Writes writes =
      paint(overRows, calls.subspan(plan.overBegin, plan.overEnd - plan.overBegin));
  if (writes == Writes::ByPainter || (writes == Writes::Blended && blends_.Overflowed())) {
    // A painter's pixels keep no trace of what they were made of, nor do
    // blends past the log's bound: no upper layer then.
    plan_.overBegin = plan_.overEnd;
    over_ = QImage();
  } else if (writes == Writes::Blended) {
    KeepBlended(calls, paint);
  }
  aboveMask_.clear();
  if (beneath_.isNull()) {
    blends_.rows.clear();
    firstBlend_.clear();
    if (!over_.isNull() && plan_.overEnd > plan_.overBegin) {
      PutOver(under_, over_);
      aboveMask_ = MaskOf(over_);
    }
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

// A step copies the picture as it stands still and paints the changing
// calls into it, leaving alone the pixels of the upper calls, which would
// have covered them; the calls after those go on top.
void PictureLayers::Paint(QImage& picture, std::span<const PaintOp> calls,
                          const PaintCalls& paint) const {
  if (!beneath_.isNull()) {
    PaintBlended(picture, calls, paint);
    return;
  }
  std::memcpy(picture.bits(), under_.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
  PixelRows rows = PixelRows::Whole(picture);
  if (!aboveMask_.empty()) {
    rows.above.bits = aboveMask_.data();
    rows.aboveColours = reinterpret_cast<const QRgb*>(under_.constBits());
  }
  const std::size_t length = plan_.overEnd - plan_.overBegin;
  const Writes moving = paint(rows, calls.subspan(plan_.under, overStart_ - plan_.under));
  // A painter's pixels went over the upper calls' too.
  if (moving == Writes::ByPainter && !aboveMask_.empty()) PutBackAbove(picture);
  rows.above = {};
  paint(rows, calls.subspan(overStart_ + length));
}

void PictureLayers::PutBackAbove(QImage& picture) const {
  auto* const to = reinterpret_cast<QRgb*>(picture.bits());
  const auto* const from = reinterpret_cast<const QRgb*>(under_.constBits());
  for (std::size_t w = 0; w < aboveMask_.size(); ++w) {
    for (std::uint64_t bits = aboveMask_[w]; bits != 0; bits &= bits - 1) {
      const std::size_t at = w * 64 + static_cast<std::size_t>(std::countr_zero(bits));
      to[at] = from[at];
    }
  }
}

void PictureLayers::PaintBlended(QImage& picture, std::span<const PaintOp> calls,
                                 const PaintCalls& paint) const {
  std::memcpy(picture.bits(), under_.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
  const PixelRows rows = PixelRows::Whole(picture);
  const std::size_t length = plan_.overEnd - plan_.overBegin;
  paint(rows, calls.subspan(plan_.under, overStart_ - plan_.under));
  if (length > 0) PutOverBlended(picture);
  paint(rows, calls.subspan(overStart_ + length));
}

// over_ holds the upper calls painted over black; painted over white too,
// a pixel that comes out the same is one they wrote whatever lay beneath,
// as every blend of a colour channel grows with the channel beneath. The
// others were only blended into, by the blends noted.
void PictureLayers::KeepBlended(std::span<const PaintOp> calls, const PaintCalls& paint) {
  QImage white = SeeThrough(over_.size(), 0x00FFFFFFu);
  paint(PixelRows::Whole(white), calls.subspan(plan_.overBegin, plan_.overEnd - plan_.overBegin));
  beneath_ = under_.copy();
  paint(PixelRows::Whole(beneath_), calls.subspan(plan_.under, plan_.overBegin - plan_.under));
  auto* const kept = reinterpret_cast<QRgb*>(over_.bits());
  const auto* const onWhite = reinterpret_cast<const QRgb*>(white.constBits());
  const auto* const was = reinterpret_cast<const QRgb*>(beneath_.constBits());
  const auto width = static_cast<std::size_t>(over_.width());
  firstBlend_.assign(PixelCount(over_), 0);
  for (std::size_t y = 0; y < blends_.rows.size(); ++y) {
    std::vector<Blend>& row = blends_.rows[y];
    const std::size_t start = y * width;
    std::erase_if(row, [&](const Blend& b) {
      const std::size_t i = start + static_cast<std::size_t>(b.x);
      return ((kept[i] ^ onWhite[i]) & 0xFFFFFFu) == 0;
    });
    SortByColumn(row, std::span(firstBlend_).subspan(start, width));
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t i = start + x;
      if ((kept[i] >> 24) != 0 && ((kept[i] ^ onWhite[i]) & 0xFFFFFFu) != 0) {
        const QRgb built = Replay(was[i], BlendsAt(row, firstBlend_[i], static_cast<int>(x)));
        kept[i] = (built & 0xFFFFFFu) | kBlendedOnly;
      }
    }
  }
}

// A pixel only blended into takes the blends again where something else
// lies beneath than at the build.
void PictureLayers::PutOverBlended(QImage& picture) const {
  auto* const to = reinterpret_cast<QRgb*>(picture.bits());
  const auto* const from = reinterpret_cast<const QRgb*>(over_.constBits());
  const auto* const was = reinterpret_cast<const QRgb*>(beneath_.constBits());
  const auto width = static_cast<std::size_t>(picture.width());
  // Whether each pixel of a row is blended into over something new; the
  // pass that marks them takes no branch, so it goes several pixels a step.
  std::vector<std::uint8_t> anew(width);
  for (std::size_t y = 0; y < blends_.rows.size(); ++y) {
    const std::size_t start = y * width;
    std::uint8_t any = 0;
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t i = start + x;
      const QRgb pixel = from[i], beneath = to[i];
      const std::uint8_t again = ((pixel >> 24) == 1) & (beneath != was[i]);
      anew[x] = again;
      any |= again;
      to[i] = (pixel >> 24) != 0 && again == 0 ? pixel | 0xFF000000u : beneath;
    }
    if (any == 0) continue;
    for (std::size_t x = 0; x < width; ++x) {
      if (anew[x] == 0) continue;
      const std::size_t i = start + x;
      to[i] = Replay(to[i], BlendsAt(blends_.rows[y], firstBlend_[i], static_cast<int>(x)));
    }
  }
}

void PictureLayers::Clear() {
  under_ = over_ = beneath_ = QImage();
  aboveMask_.clear();
  aboveMask_.shrink_to_fit();
  blends_.rows.clear();
  blends_.rows.shrink_to_fit();
  firstBlend_.clear();
  firstBlend_.shrink_to_fit();
  calls_.clear();
  calls_.shrink_to_fit();
}

}  // namespace zelmora
