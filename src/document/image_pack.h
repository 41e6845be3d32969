#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The image pack: the button glyphs, the wallpaper, the point glyphs and the
// option-page tabs, as complete BMP files stored back to back. The pack holds
// no directory; the sizes below are the only way to find where an image ends,
// so the generator and the reader share them.
namespace zelmora {

inline constexpr char kImagePackFileName[] = "Mustapha.zmr";
inline constexpr char kImagePackDamagedMessage[] =
    "Файл \"mustapha.zmr\" испорчен или стерт. Переустановите программу. ";

inline constexpr int kImagePackCount = 27;

// Byte size of each image, in pack order (image 1 first).
inline constexpr std::array<std::uint16_t, kImagePackCount> kImagePackSizes = {
    4766, 1998, 6966, 598,  1058, 12342, 6966, 582, 598, 478,   1270,  1118,  1134,  1186,
    1210, 1286, 1318, 1418, 582,  6966,  534,  438, 438, 16054, 16054, 24054, 24054,
};

// 1-based numbers of the images, as the windows ask for them.
enum PackImage : int {
  kReturnToNormalGlyph = 1,
  kCancelGlyph = 2,
  kNewCircleGlyph = 3,
  kPointSymmetryGlyph = 4,
  kDeleteGlyph = 5,
  kWallpaper = 6,
  kNewLineGlyph = 7,
  kZoomGlyph = 8,
  kLineSymmetryGlyph = 9,
  kOkGlyph = 10,
  kPropertiesGlyph = 11,
  kFirstPointGlyph = 12,  // width 1; widths 2..7 follow
  kTranslationGlyph = 19,
  kNewPointGlyph = 20,
  kRotationGlyph = 21,
  kMoveUpGlyph = 22,
  kMoveDownGlyph = 23,
  kGeneralTabInactive = 24,
  kGeneralTabActive = 25,
  kDefaultsTabInactive = 26,
  kDefaultsTabActive = 27,
};

// The glyph of a point of width 1..7.
constexpr int PointGlyphImage(int width) {
  return kFirstPointGlyph - 1 + width;
}
// Flood-filling the black area through this pixel recolours a point glyph.
constexpr int PointGlyphFillPixel(int width) {
  return width + 2;
}

// Every glyph, point glyphs included, is drawn with the colour of its
// bottom-left pixel transparent.
//
// Button glyphs that hold two pictures side by side, as flat buttons use them:
// the normal look on the left, the disabled look on the right.
constexpr int GlyphStateCount(int image) {
  return image == kCancelGlyph || image == kOkGlyph || image == kMoveUpGlyph ||
                 image == kMoveDownGlyph
             ? 2
             : 1;
}

enum class ImagePackFailure {
  kNone,
  kMissingFile,
  kShortFile,     // the pack ends inside an image
  kDamagedImage,  // an image is not a readable BMP of its table size
};

struct ImagePack {
  ImagePackFailure failure = ImagePackFailure::kNone;
  int failed_image = 0;             // 1-based; 0 when the failure concerns no one image
  std::vector<std::string> images;  // the complete BMP files; empty on failure

  bool ok() const { return failure == ImagePackFailure::kNone; }
  // The BMP file of image `number` (1-based), as a byte blob.
  const std::string& image(int number) const { return images.at(number - 1); }
};

// Bytes after the last image are ignored: they cannot shift or change any
// image, and each image is checked on its own.
ImagePack SplitImagePack(std::string_view bytes);
ImagePack ReadImagePack(const std::string& path);

// What the file and info headers of a Windows bitmap say.
struct BmpHeader {
  std::uint32_t file_size = 0;
  std::uint32_t pixel_offset = 0;
  int width = 0;
  int height = 0;         // always positive
  bool top_down = false;  // a negative height in the file
  int bits_per_pixel = 0;
  std::uint32_t compression = 0;
  int palette_colors = 0;  // entries stored between the headers and the pixels
};

// nullopt unless `bytes` start with a plausible BMP: "BM", an info header of
// at least 40 bytes, positive dimensions, a known bit depth, and for
// uncompressed images the pixel rows inside `bytes`.
std::optional<BmpHeader> ParseBmpHeader(std::string_view bytes);

// Bytes of one pixel row, padded to 4 bytes.
std::int64_t BmpRowBytes(int width, int bits_per_pixel);
// Size of an uncompressed BMP file with a full palette (none for 24 bits).
std::int64_t BmpFileSize(int width, int height, int bits_per_pixel);

}  // namespace zelmora
