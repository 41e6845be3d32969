#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "geometry/canvas.h"
#include "render/thin_pen.h"

namespace zelmora {

// Pixels of a small picture in one row: `length` opaque pixels of `colour`
// from (x, y) on, or when `colour` is translucent a single pixel blended
// over what lies beneath (premultiplied).
struct InkRun {
  std::int16_t x, y, length;
  QRgb colour;
};

// The runs of `image` (premultiplied ARGB) that are not wholly see-through,
// relative to its top-left corner shifted by `offset`.
std::vector<InkRun> InkRunsOf(const QImage& image, QPoint offset = {});

// Pixels of one colour, all opaque, as bits: row r of `box` is the 64-bit
// words [r * words, (r + 1) * words), bit i of word w column 64 * w + i.
// A label's letters are a few hundred bytes this way, a tenth of their runs,
// and a repaint reads every label of the drawing.
struct InkMask {
  QRect box;  // relative to the picture's origin; empty when there is no mask
  int words = 0;
  QRgb colour = 0;
  std::vector<std::uint64_t> bits;
};

// The mask of `image` (premultiplied ARGB) when its ink is one opaque colour;
// an empty mask otherwise.
InkMask InkMaskOf(const QImage& image, QPoint offset = {});

// A mask as kept, its words right behind it in memory. The masks of a
// drawing's labels are kept one after the other in the order they are first
// drawn, which is the order every repaint reads them in.
struct PackedMask {
  QRect box;
  int words;
  QRgb colour;
  const std::uint64_t* Bits() const { return reinterpret_cast<const std::uint64_t*>(this + 1); }
};
static_assert(sizeof(PackedMask) % sizeof(std::uint64_t) == 0);

// Runs as kept, right behind their count in memory, beside the masks.
struct PackedInk {
  std::uint64_t count;
  std::span<const InkRun> Runs() const {
    return {reinterpret_cast<const InkRun*>(this + 1), static_cast<std::size_t>(count)};
  }
};
static_assert(sizeof(PackedInk) % sizeof(std::uint64_t) == 0);

class LetterAtlas;

// Names drawn by the painter before names are put together from letters:
// learning a font's letters and pairs costs about as many drawings as a
// drawing with a hundred names has, so a small drawing never pays for it.
inline constexpr std::size_t kPaintedBeforeLetters = 100;

void BlitMask(const PixelRows& target, int x, int y, const PackedMask& mask);

// Puts `runs` into the picture with their origin at (x, y); `reach` holds
// them all, relative to that origin. Only what falls inside the rows of
// `target` and the picture's columns is written.
void BlitInk(const PixelRows& target, int x, int y, std::span<const InkRun> runs,
             const QRect& reach);

// Object names drawn once and kept. Shaping and rasterising a name costs far
// more than copying it, and a repaint draws the same few thousand names
// again and again.
class LabelPictures {
 public:
  explicit LabelPictures(const QFont& font);
  ~LabelPictures();

  // Only the covered pixels are kept, from the label's top-left corner: they
  // are a fraction of the box, and writing them straight into the picture
  // beats handing a small image to a painter. The pixels lie in the blocks:
  // a large drawing keeps tens of thousands of pictures.
  struct Picture {
    const PackedMask* mask = nullptr;  // the letters, when of one colour (not smoothed)
    const PackedInk* ink = nullptr;    // the letters otherwise, then never null
    QRect reach;    // every ink pixel lies inside, relative to the label's corner
    TextSize size;  // the text's own box, as measured
  };

  // The picture stays where it is until Trim(): a repaint collects the
  // pictures of every label first and puts them into the picture later.
  const Picture& Get(std::string_view text, QRgb colour);
  TextSize Measure(std::string_view text);
  // Starts afresh when the pictures kept have grown too large; true then.
  bool Trim();

 private:
  QFont font_;
  QFontMetrics metrics_;
  std::unique_ptr<LetterAtlas> letters_;
  std::uint64_t* Reserve(std::size_t words);
  const PackedMask* Pack(const InkMask& mask);
  const PackedInk* Pack(const std::vector<InkRun>& runs);
  InkMask DrawnByPainter(const QString& text, QRgb colour, const QRect& box,
                         std::vector<InkRun>& ink) const;

  std::unordered_map<std::string, Picture> pictures_;
  std::vector<std::unique_ptr<std::uint64_t[]>> blocks_;  // the packed masks and runs
  std::uint64_t* blockNext_ = nullptr;
  std::size_t blockFree_ = 0;  // words left in the last block
  std::size_t pictureBytes_ = 0;
  std::size_t painted_ = 0;  // names drawn by the painter so far
  std::string key_;          // reused: a lookup allocates nothing
  std::unordered_map<std::string, TextSize> sizes_;
};

}  // namespace zelmora
