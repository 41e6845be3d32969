#include "bmp_writer.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <vector>

#include "document/image_pack.h"

namespace zelmora::tools {
namespace {

constexpr std::uint32_t kHeadersBytes = 14 + 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void PutU16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// Listed colours first, in their order, then the rest as they are met.
std::vector<Rgb> PaletteOf(const Picture& picture) {
  std::vector<Rgb> palette;
  auto add = [&palette](Rgb color) {
    if (std::find(palette.begin(), palette.end(), color) == palette.end()) palette.push_back(color);
  };
  for (Rgb color : picture.palette_order) add(color);
  for (Rgb color : picture.pixels) add(color);
  const std::size_t room = std::size_t{1} << picture.bits;
  if (palette.size() > room) {
    throw std::runtime_error("the picture has " + std::to_string(palette.size()) +
                             " colours, more than " + std::to_string(room) + " for " +
                             std::to_string(picture.bits) + " bits");
  }
  palette.resize(room, 0);
  return palette;
}

void PutIndexedRow(std::string& out, const Picture& picture, int y,
                   const std::map<Rgb, unsigned>& index_of) {
  const int per_byte = 8 / picture.bits;
  unsigned byte = 0;
  int filled = 0;
  for (int x = 0; x < picture.width; ++x) {
    byte = (byte << picture.bits) | index_of.at(picture.At(x, y));
    if (++filled == per_byte) {
      out.push_back(static_cast<char>(byte));
      byte = 0;
      filled = 0;
    }
  }
  if (filled > 0) out.push_back(static_cast<char>(byte << (picture.bits * (per_byte - filled))));
}

void PutBgr(std::string& out, Rgb color) {
  out.push_back(static_cast<char>(color & 0xFF));
  out.push_back(static_cast<char>((color >> 8) & 0xFF));
  out.push_back(static_cast<char>((color >> 16) & 0xFF));
}

void PutTrueColorRow(std::string& out, const Picture& picture, int y) {
  for (int x = 0; x < picture.width; ++x) PutBgr(out, picture.At(x, y));
}

}  // namespace

std::string EncodeBmp(const Picture& picture) {
  const bool indexed = picture.bits <= 8;
  const std::vector<Rgb> palette = indexed ? PaletteOf(picture) : std::vector<Rgb>{};
  const auto row_bytes = static_cast<std::size_t>(BmpRowBytes(picture.width, picture.bits));
  const auto pixel_offset = static_cast<std::uint32_t>(kHeadersBytes + 4 * palette.size());
  const auto image_bytes = static_cast<std::uint32_t>(row_bytes * picture.height);

  std::string out;
  out += "BM";
  PutU32(out, pixel_offset + image_bytes);
  PutU32(out, 0);  // reserved
  PutU32(out, pixel_offset);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(picture.width));
  PutU32(out, static_cast<std::uint32_t>(picture.height));  // positive: bottom-up rows
  PutU16(out, 1);                                           // planes
  PutU16(out, static_cast<std::uint32_t>(picture.bits));
  PutU32(out, 0);  // no compression
  PutU32(out, image_bytes);
  PutU32(out, kPixelsPerMetre);
  PutU32(out, kPixelsPerMetre);
  PutU32(out, 0);  // colours used: the whole palette
  PutU32(out, 0);  // all colours important

  std::map<Rgb, unsigned> index_of;
  for (std::size_t i = palette.size(); i-- > 0;) index_of[palette[i]] = static_cast<unsigned>(i);
  for (Rgb color : palette) {
    PutBgr(out, color);
    out.push_back('\0');
  }

  for (int y = picture.height - 1; y >= 0; --y) {
    const std::size_t row_start = out.size();
    if (indexed) {
      PutIndexedRow(out, picture, y, index_of);
    } else {
      PutTrueColorRow(out, picture, y);
    }
    out.resize(row_start + row_bytes, '\0');
  }
  return out;
}

}  // namespace zelmora::tools
