#include "document/line_code.h"

#include <array>
#include <cstddef>

namespace zelmora {
namespace {

constexpr std::array<unsigned char, 4> kKey = {4, 1, 5, 3};

// Position i (1-based) uses K[i mod 4].
std::string Shift(std::string_view bytes, int sign) {
  std::string out(bytes);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const unsigned key = kKey[(i + 1) % 4];
    out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) + sign * static_cast<int>(key));
  }
  return out;
}

}  // namespace

std::string EncodeLine(std::string_view bytes) {
  return Shift(bytes, -1);
}
std::string DecodeLine(std::string_view bytes) {
  return Shift(bytes, +1);
}

}  // namespace zelmora
