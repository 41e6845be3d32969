#include "geometry/pixel.h"

#include <cmath>

namespace zelmora {

int ToPixel(double value) {
  if (std::isnan(value)) return 0;
  if (value >= kMaxPixel) return kMaxPixel;
  if (value <= -kMaxPixel) return -kMaxPixel;
  // nearbyint follows the default rounding mode, round-half-to-even.
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace zelmora
