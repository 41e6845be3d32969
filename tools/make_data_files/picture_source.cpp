#include "picture_source.h"

#include <array>
#include <filesystem>
#include <optional>

#include "bitmap_font.h"
#include "source_lines.h"

namespace zelmora::tools {
namespace {

constexpr int kMaxSide = 1024;
constexpr int kMaxCoordinate = 4 * kMaxSide;  // lines may start outside the picture

class SourceReader {
 public:
  explicit SourceReader(const std::string& path) : lines_(path) {}

  Picture Read() {
    while (auto line = lines_.Next()) {
      if (SkipsAsComment(*line)) continue;
      Words words(*line);
      Command(words.Text(lines_), words);
    }
    if (!sized_) lines_.Fail("the picture has no \"size\"");
    if (!has_bits_) lines_.Fail("the picture has no \"bits\"");
    return std::move(picture_);
  }

 private:
  void Command(const std::string& keyword, Words& words) {
    if (keyword == "size") {
      if (sized_) lines_.Fail("\"size\" is given twice");
      const int width = words.Number(lines_, 1, kMaxSide);
      const int height = words.Number(lines_, 1, kMaxSide);
      picture_.Resize(width, height, 0xFFFFFF);
      sized_ = true;
    } else if (keyword == "bits") {
      picture_.bits = words.Number(lines_, 1, 24);
      if (picture_.bits != 1 && picture_.bits != 4 && picture_.bits != 8 && picture_.bits != 24) {
        lines_.Fail("bits are 1, 4, 8 or 24");
      }
      has_bits_ = true;
    } else if (keyword == "color") {
      const std::string symbol = words.Text(lines_);
      if (symbol.size() != 1 || static_cast<unsigned char>(symbol[0]) > 0x7E) {
        lines_.Fail("a colour is named by one ASCII character");
      }
      const Rgb color = words.Color(lines_);
      legend_[static_cast<unsigned char>(symbol[0])] = color;
      picture_.palette_order.push_back(color);
    } else if (keyword == "font") {
      const auto folder = std::filesystem::path(lines_.path()).parent_path();
      font_ = BitmapFont::Load((folder / words.Text(lines_)).string());
    } else {
      Draw(keyword, words);
      return;  // `text` and `pixels` consume the rest of the line themselves
    }
    words.ExpectEnd(lines_);
  }

  void Draw(const std::string& keyword, Words& words) {
    if (!sized_) lines_.Fail("\"size\" comes before any drawing");
    if (keyword == "fill") {
      picture_.Fill(words.Color(lines_));
    } else if (keyword == "gradient") {
      const Rgb top = words.Color(lines_);
      picture_.VerticalGradient(top, words.Color(lines_));
    } else if (keyword == "grid") {
      const int step = words.Number(lines_, 1, kMaxSide);
      picture_.Grid(step, words.Color(lines_));
    } else if (keyword == "line") {
      const std::array<int, 4> ends = Coordinates<4>(words);
      picture_.Line(ends[0], ends[1], ends[2], ends[3], words.Color(lines_));
    } else if (keyword == "rect") {
      const std::array<int, 4> box = Coordinates<4>(words);
      picture_.Rectangle(box[0], box[1], box[2], box[3], words.Color(lines_));
    } else if (keyword == "text") {
      Text(words);
      return;
    } else if (keyword == "pixels") {
      words.ExpectEnd(lines_);
      Pixels();
      return;
    } else {
      lines_.Fail("unknown keyword \"" + keyword + "\"");
    }
    words.ExpectEnd(lines_);
  }

  template <std::size_t N>
  std::array<int, N> Coordinates(Words& words) {
    std::array<int, N> values{};
    for (int& value : values) value = words.Number(lines_, -kMaxCoordinate, kMaxCoordinate);
    return values;
  }

  // Centred in the picture, then moved by the offset: a shadow is the same
  // text drawn first one pixel lower right.
  void Text(Words& words) {
    if (!font_) lines_.Fail("\"font\" comes before any text");
    const Rgb color = words.Color(lines_);
    const std::array<int, 2> offset = Coordinates<2>(words);
    const std::string text = words.Rest();
    if (text.empty()) lines_.Fail("the text is missing");
    try {
      const int left = (picture_.width - font_->TextWidth(text)) / 2 + offset[0];
      const int top = (picture_.height - font_->height()) / 2 + offset[1];
      font_->Draw(picture_, left, top, text, color);
    } catch (const std::exception& error) {
      lines_.Fail(error.what());
    }
  }

  void Pixels() {
    for (int y = 0; y < picture_.height; ++y) {
      const auto row = lines_.Next();
      if (!row) lines_.Fail("the pixels end before the last row");
      if (static_cast<int>(row->size()) != picture_.width) {
        lines_.Fail("a pixel row is " + std::to_string(row->size()) + " characters, not " +
                    std::to_string(picture_.width));
      }
      for (int x = 0; x < picture_.width; ++x) {
        const auto symbol = static_cast<unsigned char>((*row)[static_cast<std::size_t>(x)]);
        if (symbol >= legend_.size() || !legend_[symbol]) {
          lines_.Fail(std::string("\"") + static_cast<char>(symbol) + "\" has no colour");
        }
        picture_.Set(x, y, *legend_[symbol]);
      }
    }
  }

  SourceLines lines_;
  Picture picture_;
  bool sized_ = false;
  bool has_bits_ = false;
  std::array<std::optional<Rgb>, 128> legend_{};
  std::optional<BitmapFont> font_;
};

}  // namespace

Picture LoadPictureSource(const std::string& path) {
  return SourceReader(path).Read();
}

}  // namespace zelmora::tools
