#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <vector>

namespace zelmora {

// The pictures of the image pack, decoded once at start and shared by every
// window: button glyphs, the wallpaper, the point glyphs, the page tabs.
class PackPixmaps {
 public:
  // Reads "Mustapha.zmr" from the program folder. false when it is missing or
  // damaged; the program then says so and ends.
  static bool Load(const QString& programFolder);
  static bool Loaded();

  // Image `number` (1-based, in pack order) as stored.
  static const QImage& Image(int number);
  // A button glyph: the normal half of a two-state glyph, made transparent.
  static QPixmap Glyph(int number);

 private:
  static std::vector<QImage>& Images();
};

}  // namespace zelmora
