#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "render/label_pictures.h"

namespace zelmora {

// The letters of one font, each drawn once by the painter, from which names
// are put together. Drawing a name through the painter costs shaping it
// twice (to measure and to draw), a painter and a picture; putting its
// letters' bits side by side costs a few word copies, and a drawing just
// opened has thousands of names never drawn before. A name is put together
// only when each of its letters and each pair of neighbours, drawn by the
// painter once, came out exactly as their letters side by side: kerned or
// joined pairs, smoothed or coloured letters, marks and scripts that are
// shaped are left to the painter.
class LetterAtlas {
 public:
  explicit LetterAtlas(const QFont& font);

  // The advance of `text` as the font measures it; nothing when the text is
  // not put together from letters.
  std::optional<int> Advance(std::u16string_view text);
  // The same of UTF-8 text; nothing also for text longer than a name or
  // with characters beyond the letters kept. A hit test measures every
  // name, so this is about as fast as looking a size up.
  std::optional<int> AdvanceOfUtf8(std::string_view text);
  // The letters of `text` in `colour` (opaque), relative to the start of its
  // baseline; false when it is not put together from letters.
  bool Compose(const QString& text, QRgb colour, InkMask& mask);

 private:
  // Advances are kept in 64ths of a pixel, as the font gives them: a letter
  // starts between pixels, and is drawn a little differently at each start.
  struct Letter {
    enum State : std::uint8_t { Unknown, Usable, Unusable };
    State state = Unknown;
    int advance = 0;
  };
  struct Ink {
    bool usable = false;
    InkMask mask;  // relative to the pixel the pen starts in; no box for a blank
  };
  const Letter& LetterOf(char16_t c);
  const Ink& InkOf(char16_t c, int fraction);
  bool PairFits(char16_t first, char16_t second);
  bool LearnPair(char16_t first, char16_t second);
  bool Composable(std::u16string_view text);
  std::optional<InkMask> Drawn(const QString& text, int fraction) const;
  std::optional<InkMask> PutTogether(const QString& text);

  QFont font_;
  QFontMetrics metrics_;
  std::vector<Letter> letters_;                  // by the character's code
  std::unordered_map<std::uint32_t, Ink> inks_;  // by the code and the start's fraction
  // Pairs of ASCII and basic Cyrillic characters in a table, the rest by key.
  std::vector<std::uint8_t> nearPairs_;
  std::unordered_map<std::uint32_t, bool> pairs_;
};

}  // namespace zelmora
