#include "geometry/utf8.h"

namespace zelmora {
namespace {

// Length in bytes of the character starting at text[pos]; 1 for a broken one.
std::size_t CharBytes(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t n = 1;
  if (lead >= 0xF0 && lead < 0xF8) {
    n = 4;
  } else if (lead >= 0xE0) {
    n = lead < 0xF0 ? 3 : 1;
  } else if (lead >= 0xC0) {
    n = 2;
  }
  if (pos + n > text.size()) return 1;
  for (std::size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return 1;
  }
  return n;
}

}  // namespace

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharBytes(text, pos)) ++count;
  return count;
}

std::string Utf8Prefix(std::string_view text, std::size_t maxChars) {
  std::size_t pos = 0;
  for (std::size_t count = 0; count < maxChars && pos < text.size(); ++count) {
    pos += CharBytes(text, pos);
  }
  return std::string(text.substr(0, pos));
}

std::string WithoutControlCharacters(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  // These bytes never occur inside a longer UTF-8 sequence.
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) kept += c;
  }
  return kept;
}

}  // namespace zelmora
