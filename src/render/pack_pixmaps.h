#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <vector>

namespace zelmora {

// Twice the pixels each way, each pixel's four taking the colour of two
// like neighbours where they meet at its corner and its own elsewhere: the
// staircases of a small drawing become finer staircases, not blurred ones,
// and its straight edges stay as they are.
QImage ScaledTwice(const QImage& image);

// The pictures of the image pack, decoded once at start and shared by every
// window: button glyphs, the wallpaper, the point glyphs, the page tabs.
class PackPixmaps {
 public:
  // Reads "Mustapha.zmr" from the program folder. false when it is missing or
  // damaged (the pictures loaded before stay); the program then says so and
  // ends.
  static bool Load(const QString& programFolder);
  static bool Loaded();

  // Image `number` (1-based, in pack order) as 32-bit RGB; a null image
  // outside the pack.
  static const QImage& Image(int number);
  // A button glyph: the normal half of a two-state glyph, made transparent.
  static QPixmap Glyph(int number);

  // The pack's pictures mark their see-through colour by their bottom-left
  // pixel, as flat buttons always did: every pixel of that colour becomes
  // transparent.
  static QImage WithBottomLeftTransparent(const QImage& image);

  // A picture for the screens the program runs on: drawn again at twice
  // its pixels when a screen has two or more device pixels a unit, so that
  // button and cursor pictures keep their edges there.
  static QPixmap ForScreens(const QImage& image);

 private:
  static std::vector<QImage>& Images();
};

}  // namespace zelmora
