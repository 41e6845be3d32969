#pragma once

#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "geometry/canvas.h"

namespace zelmora {

// Object names drawn once and kept. Shaping and rasterising a name costs far
// more than copying it, and a repaint draws the same few thousand names
// again and again.
class LabelPictures {
 public:
  explicit LabelPictures(const QFont& font);

  // A pixel the letters cover, premultiplied by its coverage.
  struct Ink {
    std::int16_t x, y;  // from the label's top-left corner
    QRgb colour;
  };
  // Only the covered pixels are kept: they are a fraction of the box, and
  // blending them one by one beats handing a small image to a painter.
  struct Picture {
    std::vector<Ink> ink;
    QRect reach;    // every ink pixel lies inside, relative to the label's corner
    TextSize size;  // the text's own box, as measured
  };

  const Picture& Get(std::string_view text, QRgb colour);
  TextSize Measure(std::string_view text);

 private:
  QFont font_;
  QFontMetrics metrics_;
  QHash<QByteArray, Picture> pictures_;
  std::size_t pictureBytes_ = 0;
  std::string key_;  // reused: a lookup allocates nothing
  std::unordered_map<std::string, TextSize> sizes_;
};

}  // namespace zelmora
