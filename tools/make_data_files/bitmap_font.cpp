#include "bitmap_font.h"

#include <fstream>
#include <stdexcept>

#include "geometry/utf8.h"
#include "source_lines.h"

namespace zelmora::tools {
namespace {

// Splits UTF-8 text into characters, each as its own byte string.
std::vector<std::string> Characters(std::string_view text) {
  std::vector<std::string> characters;
  while (!text.empty()) {
    characters.push_back(Utf8Prefix(text, 1));
    text.remove_prefix(characters.back().size());
  }
  return characters;
}

}  // namespace

BitmapFont BitmapFont::Load(const std::string& path) {
  SourceLines lines(path);
  BitmapFont font;
  std::string current;  // the character whose rows are being read
  while (auto line = lines.Next()) {
    if (!current.empty()) {
      Glyph& glyph = font.glyphs_[current];
      if (line->find_first_not_of("#.") != std::string::npos || line->empty()) {
        lines.Fail("a glyph row holds only \"#\" and \".\"");
      }
      if (!glyph.empty() && line->size() != glyph.front().size()) {
        lines.Fail("the rows of a glyph differ in width");
      }
      glyph.push_back(*line);
      if (static_cast<int>(glyph.size()) == font.height_) current.clear();
      continue;
    }
    if (SkipsAsComment(*line)) continue;
    Words words(*line);
    const std::string keyword = words.Text(lines);
    if (keyword == "height") {
      font.height_ = words.Number(lines, 1, 200);
    } else if (keyword == "spacing") {
      font.spacing_ = words.Number(lines, 0, 20);
    } else if (keyword == "space") {
      font.space_width_ = words.Number(lines, 0, 100);
    } else if (keyword == "glyph") {
      if (font.height_ == 0) lines.Fail("\"height\" comes before the first glyph");
      current = words.Text(lines);
      if (Utf8Length(current) != 1) lines.Fail("a glyph is named by one character");
      if (font.glyphs_.count(current) != 0) lines.Fail("the glyph is drawn twice");
    } else {
      lines.Fail("unknown keyword \"" + keyword + "\"");
    }
    words.ExpectEnd(lines);
  }
  if (!current.empty()) lines.Fail("the last glyph has too few rows");
  return font;
}

const BitmapFont::Glyph& BitmapFont::GlyphOf(const std::string& character) const {
  const auto found = glyphs_.find(character);
  if (found == glyphs_.end()) {
    throw std::runtime_error("the font has no glyph for \"" + character + "\"");
  }
  return found->second;
}

int BitmapFont::TextWidth(std::string_view text) const {
  int width = 0;
  for (const std::string& character : Characters(text)) {
    if (width > 0) width += spacing_;
    width += character == " " ? space_width_ : static_cast<int>(GlyphOf(character).front().size());
  }
  return width;
}

void BitmapFont::Draw(Picture& picture, int left, int top, std::string_view text, Rgb color) const {
  int x = left;
  for (const std::string& character : Characters(text)) {
    if (character == " ") {
      x += space_width_ + spacing_;
      continue;
    }
    const Glyph& glyph = GlyphOf(character);
    for (int row = 0; row < height_; ++row) {
      const std::string& ink = glyph[static_cast<std::size_t>(row)];
      for (std::size_t column = 0; column < ink.size(); ++column) {
        if (ink[column] == '#') picture.Set(x + static_cast<int>(column), top + row, color);
      }
    }
    x += static_cast<int>(glyph.front().size()) + spacing_;
  }
}

}  // namespace zelmora::tools
