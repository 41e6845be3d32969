#include <gtest/gtest.h>

#include "support/temp_folder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <queue>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "document/cp1251.h"
#include "document/image_pack.h"
#include "document/line_code.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 1-bit BMP 32 pixels wide of exactly `size` bytes (size - 62 must be a
// multiple of 4, as every size of the pack is): the reader must take any
// well-formed picture, not only the generator's.
std::string MonochromeBmp(std::size_t size) {
  std::string bmp(size, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  PutU32(bmp, 2, static_cast<std::uint32_t>(size));
  PutU32(bmp, 10, 62);
  PutU32(bmp, 14, 40);
  PutU32(bmp, 18, 32);
  PutU32(bmp, 22, static_cast<std::uint32_t>((size - 62) / 4));
  bmp[26] = 1;  // planes
  bmp[28] = 1;  // bits per pixel
  PutU32(bmp, 58, 0x00FFFFFF);
  return bmp;
}

std::string SyntheticPack() {
  std::string pack;
  for (std::uint16_t size : kImagePackSizes) pack += MonochromeBmp(size);
  return pack;
}

std::size_t ImageStart(int number) {
  std::size_t start = 0;
  for (int i = 1; i < number; ++i) start += kImagePackSizes[i - 1];
  return start;
}

// 0x00RRGGBB of pixel (x, y), y from the top, of an uncompressed 8- or 24-bit BMP.
std::uint32_t PixelAt(const std::string& bmp, const BmpHeader& header, int x, int y) {
  const int row = header.top_down ? y : header.height - 1 - y;
  const std::size_t at =
      header.pixel_offset +
      static_cast<std::size_t>(row * BmpRowBytes(header.width, header.bits_per_pixel)) +
      static_cast<std::size_t>(x * header.bits_per_pixel / 8);
  std::size_t bgr = at;
  if (header.bits_per_pixel == 8) {
    const std::size_t palette = header.pixel_offset - 4u * header.palette_colors;
    bgr = palette + 4u * static_cast<unsigned char>(bmp[at]);
  }
  auto byte = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[i]));
  };
  return byte(bgr) | byte(bgr + 1) << 8 | byte(bgr + 2) << 16;
}

class GeneratedPack : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { pack_ = ReadImagePack(ZELMORA_BIN_DIR "/Mustapha.zmr"); }
  static ImagePack pack_;
};
ImagePack GeneratedPack::pack_;

TEST_F(GeneratedPack, EveryImageIsACompleteBmpOfItsTableSize) {
  ASSERT_TRUE(pack_.ok()) << "build the data_files target first; failed image "
                          << pack_.failed_image;
  ASSERT_EQ(pack_.images.size(), static_cast<std::size_t>(kImagePackCount));
  for (int n = 1; n <= kImagePackCount; ++n) {
    SCOPED_TRACE("image " + std::to_string(n));
    const auto header = ParseBmpHeader(pack_.image(n));
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->file_size, kImagePackSizes[n - 1]);
    EXPECT_EQ(header->compression, 0u);
    // Nothing unaccounted for: headers, a full palette and padded rows fill the file.
    EXPECT_EQ(BmpFileSize(header->width, header->height, header->bits_per_pixel),
              kImagePackSizes[n - 1]);
  }
}

TEST_F(GeneratedPack, PicturesFitWhereTheWindowsShowThem) {
  ASSERT_TRUE(pack_.ok());
  struct Place {
    const char* name;
    std::vector<int> images;
    int max_width, max_height;  // of one state of the glyph
  };
  const std::vector<Place> places = {
      {"object tool bar, 51 x 51 buttons",
       {kReturnToNormalGlyph, kNewPointGlyph, kNewLineGlyph, kNewCircleGlyph, kDeleteGlyph,
        kPropertiesGlyph},
       51,
       51},
      {"picture tool bar, 32 x 32 buttons",
       {kZoomGlyph, kTranslationGlyph, kRotationGlyph, kPointSymmetryGlyph, kLineSymmetryGlyph},
       32,
       32},
      {"dialog buttons, 25 high", {kOkGlyph, kCancelGlyph, kMoveUpGlyph, kMoveDownGlyph}, 24, 24},
  };
  for (const Place& place : places) {
    for (int n : place.images) {
      SCOPED_TRACE(std::string(place.name) + ", image " + std::to_string(n));
      const auto header = ParseBmpHeader(pack_.image(n));
      ASSERT_TRUE(header.has_value());
      EXPECT_EQ(header->width % GlyphStateCount(n), 0) << "states of unequal width";
      EXPECT_LE(header->width / GlyphStateCount(n), place.max_width);
      EXPECT_LE(header->height, place.max_height);
    }
  }
  // A tab keeps its size when it changes between the active and inactive look.
  const auto general = ParseBmpHeader(pack_.image(kGeneralTabActive));
  const auto defaults = ParseBmpHeader(pack_.image(kDefaultsTabActive));
  ASSERT_TRUE(general && defaults);
  for (auto [inactive, active] :
       {std::pair{kGeneralTabInactive, general}, std::pair{kDefaultsTabInactive, defaults}}) {
    const auto header = ParseBmpHeader(pack_.image(inactive));
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->width, active->width);
    EXPECT_EQ(header->height, active->height);
  }
  EXPECT_EQ(general->height, defaults->height);
}

// The program recolours a point by flood-filling, from pixel (w + 2, w + 2),
// the black area, and draws the glyph with pixel (w + 1, w + 1) on the point.
TEST_F(GeneratedPack, PointGlyphsAreRoundBlackDotsCentredOnThePoint) {
  ASSERT_TRUE(pack_.ok());
  int previous_dot_pixels = 0;
  for (int width = 1; width <= 7; ++width) {
    SCOPED_TRACE("width " + std::to_string(width));
    const std::string& bmp = pack_.image(PointGlyphImage(width));
    const auto header = ParseBmpHeader(bmp);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->bits_per_pixel, 8);
    EXPECT_EQ(header->palette_colors, 256);
    EXPECT_EQ(header->width, 2 * width + 3);
    EXPECT_EQ(header->height, 2 * width + 3);
    const int side = header->width;
    auto black = [&](int x, int y) { return PixelAt(bmp, *header, x, y) == 0; };

    const int seed = PointGlyphFillPixel(width);
    ASSERT_TRUE(black(seed, seed));
    EXPECT_FALSE(black(0, side - 1)) << "the transparent colour would swallow the dot";

    // Everything black is reached by the fill: no black specks stay behind.
    std::set<std::pair<int, int>> filled{{seed, seed}};
    std::queue<std::pair<int, int>> open;
    open.push({seed, seed});
    while (!open.empty()) {
      const auto [x, y] = open.front();
      open.pop();
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        const int nx = x + dx, ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= side || ny >= side || !black(nx, ny)) continue;
        if (filled.insert({nx, ny}).second) open.push({nx, ny});
      }
    }
    int black_pixels = 0;
    long sum_x = 0, sum_y = 0;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        if (!black(x, y)) continue;
        ++black_pixels;
        sum_x += x;
        sum_y += y;
        // Round: the dot looks the same turned by a quarter and mirrored.
        EXPECT_TRUE(black(side - 1 - y, x)) << x << "," << y;
        EXPECT_TRUE(black(side - 1 - x, y)) << x << "," << y;
      }
    }
    EXPECT_EQ(static_cast<int>(filled.size()), black_pixels);
    EXPECT_EQ(sum_x, static_cast<long>(black_pixels) * (width + 1));
    EXPECT_EQ(sum_y, static_cast<long>(black_pixels) * (width + 1));
    EXPECT_GT(black_pixels, previous_dot_pixels) << "a wider point must look bigger";
    previous_dot_pixels = black_pixels;
  }
}

TEST(ImagePackReader, SplitsAWellFormedPackAndIgnoresWhatFollowsIt) {
  const std::string pack = SyntheticPack();
  for (const std::string& bytes : {pack, pack + "trailing bytes", pack + SyntheticPack()}) {
    const ImagePack split = SplitImagePack(bytes);
    ASSERT_TRUE(split.ok());
    ASSERT_EQ(split.images.size(), static_cast<std::size_t>(kImagePackCount));
    for (int n = 1; n <= kImagePackCount; ++n) {
      EXPECT_EQ(split.image(n), pack.substr(ImageStart(n), kImagePackSizes[n - 1]));
    }
  }
}

TEST(ImagePackReader, RefusesShortOrDamagedPacks) {
  const std::string good = SyntheticPack();
  struct Case {
    const char* name;
    std::string bytes;
    ImagePackFailure failure;
    int image;
  };
  auto with = [&](std::size_t at, std::string_view patch) {
    std::string bytes = good;
    bytes.replace(at, patch.size(), patch);
    return bytes;
  };
  std::string size_field = good;
  PutU32(size_field, ImageStart(12) + 2, kImagePackSizes[11] + 4u);
  const Case cases[] = {
      {"empty", "", ImagePackFailure::kShortFile, 1},
      {"one byte short", good.substr(0, good.size() - 1), ImagePackFailure::kShortFile, 27},
      {"cut inside the wallpaper", good.substr(0, ImageStart(6) + 100),
       ImagePackFailure::kShortFile, 6},
      {"first image not a bitmap", with(0, "MB"), ImagePackFailure::kDamagedImage, 1},
      {"broken BM of image 5", with(ImageStart(5), "BX"), ImagePackFailure::kDamagedImage, 5},
      {"size field disagrees", size_field, ImagePackFailure::kDamagedImage, 12},
      {"unknown bit depth", with(ImageStart(3) + 28, "\x07"), ImagePackFailure::kDamagedImage, 3},
      {"pixels beyond the image", with(ImageStart(27) + 22, "\xFF\xFF"),
       ImagePackFailure::kDamagedImage, 27},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ImagePack split = SplitImagePack(c.bytes);
    EXPECT_EQ(split.failure, c.failure);
    EXPECT_EQ(split.failed_image, c.image);
    EXPECT_TRUE(split.images.empty());
  }
}

TEST(ImagePackReader, ReadsFromDiskAndReportsMissingOrEmptyFiles) {
  const fs::path folder = zelmora::testing::FreshTempFolder("image-pack");
  WriteFile(folder / "good.zmr", SyntheticPack());
  WriteFile(folder / "empty.zmr", "");
  EXPECT_TRUE(ReadImagePack((folder / "good.zmr").string()).ok());
  EXPECT_EQ(ReadImagePack((folder / "empty.zmr").string()).failure, ImagePackFailure::kShortFile);
  EXPECT_EQ(ReadImagePack((folder / "absent.zmr").string()).failure,
            ImagePackFailure::kMissingFile);
  EXPECT_EQ(ReadImagePack(folder.string()).failure, ImagePackFailure::kMissingFile);
  fs::remove_all(folder);
}

TEST(BmpHeader, ReadsDimensionsAndRefusesWhatNoPainterCouldDraw) {
  const std::string valid = MonochromeBmp(1118);
  const auto header = ParseBmpHeader(valid);
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->width, 32);
  EXPECT_EQ(header->height, 264);
  EXPECT_EQ(header->bits_per_pixel, 1);
  EXPECT_EQ(header->palette_colors, 2);
  EXPECT_FALSE(header->top_down);

  std::string top_down = valid;
  PutU32(top_down, 22, static_cast<std::uint32_t>(-264));
  ASSERT_TRUE(ParseBmpHeader(top_down).has_value());
  EXPECT_EQ(ParseBmpHeader(top_down)->height, 264);
  EXPECT_TRUE(ParseBmpHeader(top_down)->top_down);

  auto patched = [&](std::size_t at, std::uint32_t value) {
    std::string bytes = valid;
    PutU32(bytes, at, value);
    return bytes;
  };
  const std::pair<const char*, std::string> broken[] = {
      {"shorter than the headers", valid.substr(0, 53)},
      {"zero width", patched(18, 0)},
      {"zero height", patched(22, 0)},
      {"huge width and height", patched(18, 0x7FFFFFFF).replace(22, 4, "\xFF\xFF\xFF\x7F")},
      {"more colours than the depth holds", patched(46, 3)},
      {"pixels start past the end", patched(10, 5000)},
      {"pixels start inside the palette", patched(10, 58)},
      {"embedded JPEG", patched(30, 4)},
      {"info header past the end", patched(14, 100000)},
  };
  for (const auto& [name, bytes] : broken) {
    EXPECT_FALSE(ParseBmpHeader(bytes).has_value()) << name;
  }
}

// The program's prompts and messages must read back exactly as written in data/tables.
TEST(GeneratedTextTables, DecodeLineForLineToTheirSources) {
  const std::pair<const char*, const char*> tables[] = {
      {"killer_king.txt", "Killer King.zmr"},
      {"killer_queen.txt", "Killer Queen.zmr"},
      {"lollypop.txt", "Lollypop.zmr"},
  };
  for (const auto& [source_name, output_name] : tables) {
    const fs::path source = fs::path(ZELMORA_SOURCE_DIR) / "data" / "tables" / source_name;
    SCOPED_TRACE(output_name);
    ASSERT_TRUE(fs::exists(source));
    std::string expected = ReadFile(source);
    if (expected.rfind("\xEF\xBB\xBF", 0) == 0) expected.erase(0, 3);
    std::string stored = ReadFile(fs::path(ZELMORA_BIN_DIR) / output_name);
    ASSERT_FALSE(stored.empty());
    ASSERT_EQ(stored.substr(stored.size() - 2), "\r\n");

    std::string decoded;
    for (std::size_t start = 0; start < stored.size();) {
      const std::size_t end = stored.find("\r\n", start);
      ASSERT_NE(end, std::string::npos);
      const std::string line = stored.substr(start, end - start);
      EXPECT_EQ(line.find('\n'), std::string::npos) << "a bare line feed";
      decoded += Cp1251ToUtf8(DecodeLine(line)) + "\n";
      start = end + 2;
    }
    std::string source_lines;
    for (char c : expected) {
      if (c != '\r') source_lines += c;
    }
    if (!source_lines.empty() && source_lines.back() != '\n') source_lines += '\n';
    EXPECT_EQ(decoded, source_lines);
  }
}

}  // namespace
}  // namespace zelmora

namespace zelmora {
namespace {

// Inputs the fuzzer kept: each is refused, or split into exactly the table's
// images, every one a readable bitmap.
TEST(ImagePackCorpus, EveryKeptInputIsRefusedOrSplitWhole) {
  int files = 0;
  for (const auto& entry :
       fs::directory_iterator(fs::path(ZELMORA_SOURCE_DIR) / "fuzz" / "corpus" / "image_pack")) {
    SCOPED_TRACE(entry.path().filename().string());
    const ImagePack pack = SplitImagePack(ReadFile(entry.path()));
    ++files;
    if (!pack.ok()) continue;
    ASSERT_EQ(pack.images.size(), static_cast<std::size_t>(kImagePackCount));
    for (int n = 1; n <= kImagePackCount; ++n) {
      EXPECT_EQ(pack.image(n).size(), kImagePackSizes[static_cast<std::size_t>(n - 1)]);
      EXPECT_TRUE(ParseBmpHeader(pack.image(n)).has_value());
    }
  }
  EXPECT_GT(files, 2);
}

}  // namespace
}  // namespace zelmora
