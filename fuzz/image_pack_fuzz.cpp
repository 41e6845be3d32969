// Splits arbitrary bytes as an image pack: a damaged pack must be refused,
// never read past its end, and an accepted one must hold exactly the images
// of the fixed sizes, each a parsable bitmap.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "document/image_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const zelmora::ImagePack pack = zelmora::SplitImagePack(bytes);
  if (!pack.ok()) return 0;
  if (pack.images.size() != zelmora::kImagePackCount) std::abort();
  for (int n = 1; n <= zelmora::kImagePackCount; ++n) {
    const auto& image = pack.image(n);
    if (image.size() != zelmora::kImagePackSizes[static_cast<std::size_t>(n - 1)]) std::abort();
    if (!zelmora::ParseBmpHeader(image)) std::abort();
  }
  return 0;
}
