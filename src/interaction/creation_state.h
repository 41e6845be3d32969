#pragma once

#include <array>
#include <vector>

namespace zelmora {

// The construction methods a creation knows, in the order candidates are
// tried. 304 is the line-circle intersection picked circle first.
inline constexpr std::array<int, 29> kCreationMethods = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  100, 101, 102,
    103, 104, 105, 106, 107, 108, 109, 110, 111, 200, 201, 202, 203, 304};

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
