#pragma once

#include <string>

#include "picture.h"

namespace zelmora::tools {

// A complete BMP file: bottom-up rows, no compression, and for 1, 4 and 8
// bits a full palette. Throws std::runtime_error when the picture holds more
// colours than its bit depth can index.
std::string EncodeBmp(const Picture& picture);

}  // namespace zelmora::tools
