#include "render/letter_atlas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>

namespace zelmora {
namespace {

// Latin, Greek, Cyrillic and the signs before them: the letters of names.
// Anything beyond is left to the painter.
constexpr char16_t kLettersKept = 0x0530;
// Names of many alphabets at once could ask for millions of pairs: beyond
// this many the names with new pairs are left to the painter.
constexpr std::size_t kMostPairs = 1u << 16;

// Letters that the shaping leaves alone: no marks or invisible controls, no
// script whose letters change with their neighbours, nothing that turns the
// direction of the line.
bool MayCompose(QChar c) {
  if (!c.isPrint() || c.isMark() || c.isSurrogate()) return false;
  switch (c.script()) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
      break;
    default:
      return false;
  }
  switch (c.direction()) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirON:
    case QChar::DirWS:
      return true;
    default:
      return false;
  }
}

// ORs one row of mask words into another row, `shift` columns to the right.
void OrShifted(const std::uint64_t* from, int fromWords, std::uint64_t* to, int toWords,
               int shift) {
  for (int w = 0; w < fromWords; ++w) {
    const std::uint64_t bits = from[w];
    if (bits == 0) continue;
    const int column = shift + 64 * w, word = column / 64, at = column % 64;
    to[word] |= bits << at;
    if (at != 0 && word + 1 < toWords) to[word + 1] |= bits >> (64 - at);
  }
}

bool SameInk(const InkMask& a, const InkMask& b) {
  return a.box == b.box && a.bits == b.bits;
}

std::u16string_view Units(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// Pairs of these characters are kept in a table: ASCII and the Cyrillic
// alphabets.
constexpr int kNearCount = 0x100;
int NearIndex(char16_t c) {
  if (c < 0x80) return c;
  if (c >= 0x400 && c < 0x480) return 0x80 + (c - 0x400);
  return -1;
}
constexpr std::uint8_t kPairUnknown = 0, kPairFits = 1, kPairFails = 2;
// Longer texts are measured by Qt and their sizes kept.
constexpr std::size_t kLongestName = 32;

}  // namespace

LetterAtlas::LetterAtlas(const QFont& font) : font_(font), metrics_(font) {}

// The painter's letters of `text` with the pen starting `fraction` 64ths of
// a pixel right of the origin, in a picture with a label's margins.
std::optional<InkMask> LetterAtlas::Drawn(const QString& text, int fraction) const {
  const int height = metrics_.height();
  const QRect box = QRect(0, -metrics_.ascent(), metrics_.horizontalAdvance(text), height)
                        .adjusted(-height, -height, height, height);
  QImage image(box.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setFont(font_);
  painter.setPen(QColor(Qt::black));
  painter.drawText(QPointF(-box.left() + fraction / 64.0, -box.top()), text);
  painter.end();
  InkMask mask = InkMaskOf(image, box.topLeft());
  if (mask.box.isEmpty()) {
    if (!InkRunsOf(image).empty()) return std::nullopt;  // smoothed or coloured
    return InkMask{};
  }
  // Ink cut off by the picture's edge: a longer name's picture shows more.
  if (!box.adjusted(1, 1, -1, -1).contains(mask.box)) return std::nullopt;
  return mask;
}

const LetterAtlas::Letter& LetterAtlas::LetterOf(char16_t c) {
  static const Letter unusable{Letter::Unusable, 0};
  if (c >= kLettersKept) return unusable;
  if (letters_.empty()) letters_.resize(kLettersKept);
  Letter& letter = letters_[c];
  if (letter.state != Letter::Unknown) return letter;
  const qreal advance = QFontMetricsF(font_).horizontalAdvance(QString(QChar(c))) * 64;
  const bool usable = MayCompose(QChar(c)) && advance >= 0 && advance == std::floor(advance);
  letter = {usable ? Letter::Usable : Letter::Unusable, static_cast<int>(advance)};
  if (usable && !InkOf(c, 0).usable) letter.state = Letter::Unusable;
  return letter;
}

const LetterAtlas::Ink& LetterAtlas::InkOf(char16_t c, int fraction) {
  const std::uint32_t key = std::uint32_t{c} << 6 | static_cast<std::uint32_t>(fraction);
  if (auto it = inks_.find(key); it != inks_.end()) return it->second;
  std::optional<InkMask> drawn = Drawn(QString(QChar(c)), fraction);
  Ink ink;
  if (drawn) ink = {true, std::move(*drawn)};
  return inks_.emplace(key, std::move(ink)).first->second;
}

bool LetterAtlas::PairFits(char16_t first, char16_t second) {
  const int a = NearIndex(first), b = NearIndex(second);
  if (a >= 0 && b >= 0) {
    if (nearPairs_.empty()) nearPairs_.assign(kNearCount * kNearCount, kPairUnknown);
    std::uint8_t& known = nearPairs_[static_cast<std::size_t>(a * kNearCount + b)];
    if (known == kPairUnknown) known = LearnPair(first, second) ? kPairFits : kPairFails;
    return known == kPairFits;
  }
  const std::uint32_t key = std::uint32_t{first} << 16 | second;
  if (auto it = pairs_.find(key); it != pairs_.end()) return it->second;
  if (pairs_.size() >= kMostPairs) return false;
  const bool fits = LearnPair(first, second);
  pairs_.emplace(key, fits);
  return fits;
}

bool LetterAtlas::LearnPair(char16_t first, char16_t second) {
  const QString pair = QString(QChar(first)) + QChar(second);
  const int advance = LetterOf(first).advance + LetterOf(second).advance;
  if (QFontMetricsF(font_).horizontalAdvance(pair) * 64 != advance) return false;
  const std::optional<InkMask> drawn = Drawn(pair, 0);
  const std::optional<InkMask> together = PutTogether(pair);
  return drawn && together && SameInk(*drawn, *together);
}

bool LetterAtlas::Composable(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (LetterOf(text[i]).state != Letter::Usable) return false;
    if (i > 0 && !PairFits(text[i - 1], text[i])) return false;
  }
  return !text.empty();
}

std::optional<int> LetterAtlas::Advance(std::u16string_view text) {
  if (!Composable(text)) return std::nullopt;
  int advance = 0;
  for (const char16_t c : text) advance += letters_[c].advance;
  return qRound(advance / 64.0);
}

std::optional<int> LetterAtlas::AdvanceOfUtf8(std::string_view text) {
  std::array<char16_t, kLongestName> units{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (count == units.size()) return std::nullopt;
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      units[count++] = byte;
      continue;
    }
    // Two bytes reach every letter kept; anything else is left to Qt.
    if (byte < 0xC2 || byte > 0xDF || i + 1 == text.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(text[++i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    units[count++] = static_cast<char16_t>((byte & 0x1F) << 6 | (next & 0x3F));
  }
  return Advance(std::u16string_view(units.data(), count));
}

bool LetterAtlas::Compose(const QString& text, QRgb colour, InkMask& mask) {
  if (qAlpha(colour) != 255 || !Composable(Units(text))) return false;
  std::optional<InkMask> together = PutTogether(text);
  if (!together) return false;
  mask = std::move(*together);
  mask.colour = colour;
  return true;
}

// Every letter of `text` is known and usable; nothing when one of them
// cannot be drawn where it starts.
std::optional<InkMask> LetterAtlas::PutTogether(const QString& text) {
  struct Placed {
    const InkMask* ink;
    int x;
  };
  std::vector<Placed> placed;
  placed.reserve(static_cast<std::size_t>(text.size()));
  QRect box;
  int pen = 0;
  for (const QChar c : text) {
    const Ink& ink = InkOf(c.unicode(), pen % 64);
    if (!ink.usable) return std::nullopt;
    placed.push_back({&ink.mask, pen / 64});
    if (!ink.mask.box.isEmpty()) box |= ink.mask.box.translated(pen / 64, 0);
    pen += letters_[c.unicode()].advance;
  }
  InkMask mask;
  if (box.isEmpty()) return mask;
  mask.box = box;
  mask.words = (box.width() + 63) / 64;
  mask.bits.assign(static_cast<std::size_t>(box.height() * mask.words), 0);
  for (const auto& [ink, x] : placed) {
    const QRect at = ink->box.translated(x, 0);
    for (int row = 0; row < at.height(); ++row) {
      OrShifted(&ink->bits[static_cast<std::size_t>(row * ink->words)], ink->words,
                &mask.bits[static_cast<std::size_t>((at.top() - box.top() + row) * mask.words)],
                mask.words, at.left() - box.left());
    }
  }
  return mask;
}

}  // namespace zelmora
