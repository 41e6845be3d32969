#pragma once

#include <QRgb>
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace zelmora {

// Whole shares of a pixel: 256 covers it.
constexpr unsigned kWholeShare = 256;

// `share` of 256 of `colour` over `under`, for 0 < share < 256. Each colour
// channel is mixed on its own and grows with the one beneath.
inline QRgb MixShare(QRgb under, QRgb colour, unsigned share) {
  const unsigned rest = kWholeShare - share;
  const unsigned redBlue = (((colour & 0xFF00FFu) * share + (under & 0xFF00FFu) * rest) >> 8);
  const unsigned green = (((colour & 0x00FF00u) * share + (under & 0x00FF00u) * rest) >> 8);
  return 0xFF000000u | (redBlue & 0xFF00FFu) | (green & 0x00FF00u);
}

// Ink already weighed by the share of the pixel it covers, which its alpha
// tells, over `under`.
inline QRgb InkOver(QRgb under, QRgb ink) {
  const int clear = 255 - qAlpha(ink);
  auto over = [clear](int inked, int beneath) { return inked + (beneath * clear + 127) / 255; };
  return qRgb(over(qRed(ink), qRed(under)), over(qGreen(ink), qGreen(under)),
              over(qBlue(ink), qBlue(under)));
}

// One blend of a colour into a pixel of a row, as a pen made it.
struct Blend {
  int x = 0;
  QRgb colour = 0;
  unsigned share = 0;  // of 256; 0 for ink (InkOver)
};

// The blends pens made into each row of a picture, in the order they made
// them. Two bands painted at once write to rows of their own, and so note.
struct BlendLog {
  std::vector<std::vector<Blend>> rows;
  // A row that would hold more than `mostPerRow` blends is marked full and
  // notes no more: the log of a huge drawing stays bounded, and a log with
  // a full row is not used. (Each band marks only its own rows.)
  std::vector<std::uint8_t> full;
  std::size_t mostPerRow = SIZE_MAX;

  void Start(std::size_t height, std::size_t mostPerPixel, std::size_t width) {
    rows.assign(height, {});
    full.assign(height, 0);
    mostPerRow = mostPerPixel * width;
  }
  void Note(int x, int y, QRgb colour, unsigned share) {
    std::vector<Blend>& row = rows[y];
    if (row.size() >= mostPerRow) {
      full[y] = 1;
      return;
    }
    row.push_back({x, colour, share});
  }
  bool Overflowed() const { return std::find(full.begin(), full.end(), 1) != full.end(); }
};

// What the blends make of the pixel `under`, in their order.
inline QRgb Replay(QRgb under, std::span<const Blend> blends) {
  for (const Blend& b : blends) {
    under = b.share == 0 ? InkOver(under, b.colour) : MixShare(under, b.colour, b.share);
  }
  return under;
}

}  // namespace zelmora
