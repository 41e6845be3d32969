#include "render/label_pictures.h"

#include <QPainter>
#include <algorithm>
#include <bit>
#include <memory>
#include <new>

#include "render/blend_log.h"
#include "render/letter_atlas.h"

namespace zelmora {
namespace {

// Enough for every name of a very large drawing; beyond that the cache
// starts afresh rather than grow without bound.
constexpr std::size_t kMaxPictureBytes = 32u << 20;
constexpr std::size_t kMaxSizes = 1u << 16;
// A name has at most 12 characters; even the widest letters stay far below
// this many line heights.
constexpr int kMaxAdvanceInHeights = 64;
// The masks are kept in blocks of this many 64-bit words (128 KiB).
constexpr std::size_t kMaskBlockWords = 16384;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LabelPictures::LabelPictures(const QFont& font)
    : font_(font), metrics_(font), letters_(std::make_unique<LetterAtlas>(font)) {}

LabelPictures::~LabelPictures() = default;

TextSize LabelPictures::Measure(std::string_view text) {
  const int height = metrics_.height();
  auto sized = [height](int advance) {
    return TextSize{std::clamp(advance, 0, kMaxAdvanceInHeights * height), height};
  };
  // Names put together from letters are measured about as fast as a size is
  // looked up; only the others' sizes are kept.
  if (painted_ >= kPaintedBeforeLetters) {
    if (const std::optional<int> advance = letters_->AdvanceOfUtf8(text)) return sized(*advance);
  }
  const std::string key(text);
  if (auto it = sizes_.find(key); it != sizes_.end()) return it->second;
  if (sizes_.size() >= kMaxSizes) sizes_.clear();
  const TextSize size = sized(metrics_.horizontalAdvance(FromUtf8(text)));
  sizes_.emplace(key, size);
  return size;
}

std::uint64_t* LabelPictures::Reserve(std::size_t words) {
  if (words > blockFree_) {
    blockFree_ = std::max(kMaskBlockWords, words);
    // Not cleared: the pages of a block's unused end are then never touched.
    blocks_.push_back(std::make_unique_for_overwrite<std::uint64_t[]>(blockFree_));
    blockNext_ = blocks_.back().get();
  }
  std::uint64_t* at = blockNext_;
  blockNext_ += words;
  blockFree_ -= words;
  return at;
}

const PackedMask* LabelPictures::Pack(const InkMask& mask) {
  constexpr std::size_t kHeader = sizeof(PackedMask) / sizeof(std::uint64_t);
  std::uint64_t* at = Reserve(kHeader + mask.bits.size());
  auto* packed = new (at) PackedMask{mask.box, mask.words, mask.colour};
  std::copy(mask.bits.begin(), mask.bits.end(), at + kHeader);
  return packed;
}

const PackedInk* LabelPictures::Pack(const std::vector<InkRun>& runs) {
  constexpr std::size_t kHeader = sizeof(PackedInk) / sizeof(std::uint64_t);
  constexpr std::size_t kWord = sizeof(std::uint64_t);
  std::uint64_t* at = Reserve(kHeader + (runs.size() * sizeof(InkRun) + kWord - 1) / kWord);
  auto* packed = new (at) PackedInk{runs.size()};
  std::uninitialized_copy(runs.begin(), runs.end(), reinterpret_cast<InkRun*>(at + kHeader));
  return packed;
}

bool LabelPictures::Trim() {
  if (pictureBytes_ <= kMaxPictureBytes) return false;
  pictures_.clear();
  blocks_.clear();
  blockNext_ = nullptr;
  blockFree_ = 0;
  pictureBytes_ = 0;
  return true;
}

const LabelPictures::Picture& LabelPictures::Get(std::string_view text, QRgb colour) {
  key_.assign(reinterpret_cast<const char*>(&colour), sizeof colour);
  key_.append(text);
  if (auto it = pictures_.find(key_); it != pictures_.end()) return it->second;

  const QString s = FromUtf8(text);
  Picture picture;
  picture.size = Measure(text);
  // Letters may reach beyond their advance (an italic end, a low descender,
  // stacked accents): a margin of one line height on every side holds them.
  // The font's own bounding box is not asked: for a lone tab or a soft
  // hyphen it is a placeholder 100 000 pixels wide.
  const int margin = picture.size.height;
  const QRect box = QRect(0, -metrics_.ascent(), picture.size.width, picture.size.height)
                        .adjusted(-margin, -margin, margin, margin);
  picture.reach =
      QRect(QPoint(box.left(), metrics_.ascent() + box.top()), box.size().expandedTo(QSize(1, 1)));
  InkMask mask;
  std::vector<InkRun> ink;
  const bool composed = painted_ >= kPaintedBeforeLetters && letters_->Compose(s, colour, mask);
  if (composed) mask.box.translate(0, metrics_.ascent());
  if (!composed || !picture.reach.contains(mask.box)) {
    mask = DrawnByPainter(s, colour, box, ink);
    ++painted_;
  }
  if (!mask.box.isEmpty()) {
    picture.mask = Pack(mask);
  } else {
    picture.ink = Pack(ink);
  }

  pictureBytes_ += ink.size() * sizeof(InkRun) + mask.bits.size() * sizeof(std::uint64_t) +
                   sizeof(PackedMask) + sizeof(Picture) + key_.size();
  return pictures_.emplace(key_, std::move(picture)).first->second;
}

// `box` is relative to the start of the baseline; what is not one opaque
// colour goes into `ink`.
InkMask LabelPictures::DrawnByPainter(const QString& text, QRgb colour, const QRect& box,
                                      std::vector<InkRun>& ink) const {
  const QPoint offset(box.left(), metrics_.ascent() + box.top());
  QImage image(box.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setFont(font_);
  painter.setPen(QColor::fromRgb(colour));
  painter.drawText(QPoint(-box.left(), -box.top()), text);
  painter.end();
  InkMask mask = InkMaskOf(image, offset);
  if (mask.box.isEmpty()) ink = InkRunsOf(image, offset);
  return mask;
}

std::vector<InkRun> InkRunsOf(const QImage& image, QPoint offset) {
  std::vector<InkRun> runs;
  const int width = image.width(), height = image.height();
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      const QRgb c = row[x];
      if (qAlpha(c) == 0) continue;
      if (qAlpha(c) == 255 && !runs.empty() && runs.back().colour == c &&
          runs.back().y == y + offset.y() && runs.back().x + runs.back().length == x + offset.x()) {
        ++runs.back().length;
        continue;
      }
      runs.push_back({static_cast<std::int16_t>(x + offset.x()),
                      static_cast<std::int16_t>(y + offset.y()), 1, c});
    }
  }
  return runs;
}

InkMask InkMaskOf(const QImage& image, QPoint offset) {
  // Every label of a drawing just opened passes here: the sizes are read
  // once and the box kept as numbers, not asked of the image per pixel.
  const int width = image.width(), height = image.height();
  int left = width, right = -1, top = height, bottom = -1;
  QRgb colour = 0;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    // Most rows of the margin hold no ink at all (transparent is all zero):
    // one pass that the compiler vectorises tells.
    QRgb any = 0;
    for (int x = 0; x < width; ++x) any |= row[x];
    if (any == 0) continue;
    for (int x = 0; x < width; ++x) {
      const QRgb c = row[x];
      if (qAlpha(c) == 0) continue;
      if (right < 0) colour = c;
      if (c != colour || qAlpha(c) != 255) return {};
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = y;
    }
  }
  if (right < 0) return {};
  const QRect box(QPoint(left, top), QPoint(right, bottom));
  InkMask mask;
  mask.box = box.translated(offset);
  mask.words = (box.width() + 63) / 64;
  mask.colour = colour;
  mask.bits.assign(static_cast<std::size_t>(box.height() * mask.words), 0);
  const int boxWidth = box.width(), boxHeight = box.height();
  for (int y = 0; y < boxHeight; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(top + y)) + left;
    std::uint64_t* words = &mask.bits[static_cast<std::size_t>(y * mask.words)];
    for (int x = 0; x < boxWidth; ++x) {
      if (qAlpha(row[x]) != 0) words[x / 64] |= std::uint64_t{1} << (x % 64);
    }
  }
  return mask;
}

namespace {

// The bits of a mask word whose columns, from `start` on, lie in [left, right).
std::uint64_t ColumnsInside(std::int64_t start, int left, int right) {
  const std::int64_t low = std::max<std::int64_t>(0, left - start);
  const std::int64_t high = std::min<std::int64_t>(64, right - start);
  if (low >= high) return 0;
  const std::uint64_t below = high == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << high) - 1;
  return below & ~((std::uint64_t{1} << low) - 1);
}

// How a picture placed at `placed` lies against the rows and columns a blit
// may write to. Asked of every label and glyph; inline, unlike QRect's.
enum class Overlap { None, Part, Whole };
Overlap OverlapOf(const PixelRows& target, const QRect& placed) {
  const int left = placed.left(), right = left + placed.width();
  const int top = placed.top(), bottom = top + placed.height();
  if (target.bits == nullptr || left >= right || top >= bottom || left >= target.right ||
      right <= target.left || top >= target.bottom || bottom <= target.top) {
    return Overlap::None;
  }
  const bool whole =
      left >= target.left && right <= target.right && top >= target.top && bottom <= target.bottom;
  return whole ? Overlap::Whole : Overlap::Part;
}

}  // namespace

void BlitMask(const PixelRows& target, int x, int y, const PackedMask& mask) {
  const QRect placed = mask.box.translated(x, y);
  const Overlap overlap = OverlapOf(target, placed);
  if (overlap == Overlap::None) return;
  const bool inside = overlap == Overlap::Whole;
  const int first = std::max(placed.top(), target.top);
  const int last = std::min(placed.bottom(), target.bottom - 1);
  const qsizetype stride = target.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb));
  // In locals: the pixels written might otherwise be the mask's own fields.
  const QRgb colour = mask.colour;
  const int wordsPerRow = mask.words;
  const std::int64_t left = placed.left();
  const std::uint64_t* words =
      mask.Bits() + static_cast<std::size_t>((first - placed.top()) * wordsPerRow);
  QRgb* row = reinterpret_cast<QRgb*>(target.bits) + first * stride;
  for (int py = first; py <= last; ++py, row += stride) {
    for (int w = 0; w < wordsPerRow; ++w, ++words) {
      const std::int64_t start = left + 64 * w;
      std::uint64_t bits = *words;
      if (!inside) bits &= ColumnsInside(start, target.left, target.right);
      for (; bits != 0; bits &= bits - 1) {
        row[start + static_cast<unsigned>(std::countr_zero(bits))] = colour;
      }
    }
  }
}

void BlitInk(const PixelRows& target, int x, int y, std::span<const InkRun> runs,
             const QRect& reach) {
  const Overlap overlap = OverlapOf(target, reach.translated(x, y));
  if (overlap == Overlap::None) return;
  // Most pictures lie wholly inside: their runs need no bounds test.
  const bool inside = overlap == Overlap::Whole;
  const qsizetype stride = target.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb));
  QRgb* const bits = reinterpret_cast<QRgb*>(target.bits);
  for (const InkRun& run : runs) {
    int left = x + run.x, length = run.length;
    const int py = y + run.y;
    if (!inside) {
      if (py < target.top || py >= target.bottom) continue;
      const int right = std::min(left + length, target.right);
      left = std::max(left, target.left);
      length = right - left;
      if (length <= 0) continue;
    }
    QRgb* pixel = bits + py * stride + left;
    if (qAlpha(run.colour) == 255) {
      std::fill_n(pixel, length, run.colour);
      continue;
    }
    if (target.blends != nullptr) target.blends->Note(left, py, run.colour, 0);
    *pixel = InkOver(*pixel, run.colour);
  }
}

}  // namespace zelmora
