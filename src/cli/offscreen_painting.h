#pragma once

#include <QGuiApplication>
#include <memory>
#include <optional>
#include <string>

#include "render/point_glyph_table.h"

namespace zelmora {

// What painting with Qt needs without a screen: the application object that
// fonts ask for, and the point glyphs of the image pack beside the program
// (none when the pack is missing or damaged).
class OffscreenPainting {
 public:
  explicit OffscreenPainting(const std::string& programFolder);
  std::optional<PointGlyphTable> glyphs;

 private:
  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace zelmora
