#pragma once

#include <string>
#include <string_view>

// The light obfuscation every stored line goes through (all but a magic
// first line): a 4-byte additive key by byte position. Works on file bytes.
namespace zelmora {

std::string EncodeLine(std::string_view bytes);
std::string DecodeLine(std::string_view bytes);

}  // namespace zelmora
