#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "picture.h"

namespace zelmora::tools {

// A one-colour pixel font read from a text file of "#"/"." glyph drawings, so
// that the words on pictures come out the same on every build machine.
class BitmapFont {
 public:
  // Throws std::runtime_error naming the file and line of a malformed font.
  static BitmapFont Load(const std::string& path);

  int height() const { return height_; }
  // Throws when `text` holds a character the font has no glyph for.
  int TextWidth(std::string_view text) const;
  void Draw(Picture& picture, int left, int top, std::string_view text, Rgb color) const;

 private:
  using Glyph = std::vector<std::string>;  // `height_` rows of "#" and "."
  const Glyph& GlyphOf(const std::string& character) const;

  int height_ = 0;
  int spacing_ = 1;
  int space_width_ = 4;
  std::map<std::string, Glyph> glyphs_;  // keyed by the UTF-8 character
};

}  // namespace zelmora::tools
