#include "document/image_pack.h"

#include <filesystem>
#include <fstream>
#include <numeric>

namespace zelmora {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

std::uint16_t ReadU16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

bool KnownDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionFits(std::uint32_t compression, int bits) {
  switch (compression) {
    case kUncompressed:
      return true;
    case kRle8:
      return bits == 8;
    case kRle4:
      return bits == 4;
    case kBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;  // embedded JPEG/PNG: nothing the program draws
  }
}

ImagePack Failed(ImagePackFailure failure, int image) {
  ImagePack pack;
  pack.failure = failure;
  pack.failed_image = image;
  return pack;
}

constexpr std::size_t PackBytes() {
  return std::accumulate(kImagePackSizes.begin(), kImagePackSizes.end(), std::size_t{0});
}

}  // namespace

std::int64_t BmpRowBytes(int width, int bits_per_pixel) {
  const std::int64_t bits = static_cast<std::int64_t>(width) * bits_per_pixel;
  return (bits + 31) / 32 * 4;
}

std::int64_t BmpFileSize(int width, int height, int bits_per_pixel) {
  const std::int64_t palette = bits_per_pixel <= 8 ? (std::int64_t{1} << bits_per_pixel) * 4 : 0;
  return static_cast<std::int64_t>(kFileHeaderBytes + kInfoHeaderBytes) + palette +
         BmpRowBytes(width, bits_per_pixel) * height;
}

std::optional<BmpHeader> ParseBmpHeader(std::string_view bytes) {
  if (bytes.size() < kFileHeaderBytes + kInfoHeaderBytes) return std::nullopt;
  if (bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;

  BmpHeader header;
  header.file_size = ReadU32(bytes, 2);
  header.pixel_offset = ReadU32(bytes, 10);
  const std::uint32_t info_size = ReadU32(bytes, 14);
  const auto width = static_cast<std::int32_t>(ReadU32(bytes, 18));
  const auto height = static_cast<std::int32_t>(ReadU32(bytes, 22));
  const std::uint16_t planes = ReadU16(bytes, 26);
  header.bits_per_pixel = ReadU16(bytes, 28);
  header.compression = ReadU32(bytes, 30);
  const std::uint32_t colors_used = ReadU32(bytes, 46);

  if (info_size < kInfoHeaderBytes || info_size > bytes.size() - kFileHeaderBytes) {
    return std::nullopt;
  }
  if (planes != 1 || !KnownDepth(header.bits_per_pixel)) return std::nullopt;
  if (!CompressionFits(header.compression, header.bits_per_pixel)) return std::nullopt;
  if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
  header.width = width;
  header.height = height < 0 ? -height : height;
  header.top_down = height < 0;

  if (header.bits_per_pixel <= 8) {
    const std::uint32_t full = 1u << header.bits_per_pixel;
    if (colors_used > full) return std::nullopt;
    header.palette_colors = static_cast<int>(colors_used == 0 ? full : colors_used);
  }
  const std::uint64_t pixels_start =
      kFileHeaderBytes + info_size + static_cast<std::uint64_t>(header.palette_colors) * 4;
  if (header.pixel_offset < pixels_start || header.pixel_offset > bytes.size()) {
    return std::nullopt;
  }
  if (header.compression == kUncompressed || header.compression == kBitFields) {
    // Division keeps a huge width times a huge height from overflowing.
    const std::uint64_t room = bytes.size() - header.pixel_offset;
    const auto row = static_cast<std::uint64_t>(BmpRowBytes(header.width, header.bits_per_pixel));
    if (row > room / static_cast<std::uint64_t>(header.height)) return std::nullopt;
  }
  return header;
}

ImagePack SplitImagePack(std::string_view bytes) {
  ImagePack pack;
  pack.images.reserve(kImagePackCount);
  std::size_t offset = 0;
  for (int number = 1; number <= kImagePackCount; ++number) {
    const std::size_t size = kImagePackSizes[static_cast<std::size_t>(number - 1)];
    if (bytes.size() - offset < size) return Failed(ImagePackFailure::kShortFile, number);
    const std::string_view image = bytes.substr(offset, size);
    const auto header = ParseBmpHeader(image);
    if (!header || header->file_size != size) {
      return Failed(ImagePackFailure::kDamagedImage, number);
    }
    pack.images.emplace_back(image);
    offset += size;
  }
  return pack;
}

ImagePack ReadImagePack(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return Failed(ImagePackFailure::kMissingFile, 0);
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) return Failed(ImagePackFailure::kMissingFile, 0);
  // Only the images are read: whatever follows them is never looked at.
  std::string bytes(PackBytes(), '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return SplitImagePack(bytes);
}

}  // namespace zelmora
