#pragma once

#include <array>
#include <vector>

#include "geometry/construction_method.h"

namespace zelmora {

// Not a method of its own: the line-circle intersection picked circle first.
// It has its own row in the step table; building swaps the two picks and
// stores the line-circle methods.
inline constexpr int kCircleFirstCrossing = 304;

// The construction methods a creation knows, in the order candidates are
// tried: every method of the registry, then the circle-first crossing.
inline constexpr auto kCreationMethods = [] {
  std::array<int, kMethodCount + 1> codes{};
  for (std::size_t i = 0; i < kMethodCount; ++i) codes[i] = kMethods[i].code;
  codes.back() = kCircleFirstCrossing;
  return codes;
}();

// The state of a running creation.
struct CreationState {
  int requestedMethod = 0;  // what the user chose; kept across repeated constructions
  std::array<bool, kCreationMethods.size()> candidates{};
  int chosenMethod = 0;
  int step = 1;
  std::vector<int> picks;  // object indices, in pick order
  int autoPoints = 0;      // free points created for this construction
  bool accepted = false;
  bool completed = false;
};

}  // namespace zelmora
