#pragma once

#include <string>

#include "picture.h"

namespace zelmora::tools {

// Reads and draws one picture source of data/images (the format is described
// in data/images/README.md). Throws std::runtime_error naming the file and
// line of the first mistake.
Picture LoadPictureSource(const std::string& path);

}  // namespace zelmora::tools
