#pragma once

#include <array>
#include <initializer_list>
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

// A menu command names a construction, not always one method: "point on an
// object" is method 1 on a line or 2 on a circle, "intersection" is 3, 4, 6 or
// 304 depending on what is crossed, and two line commands share their first
// picks with a second method. All the methods of a command start as
// candidates; the picks narrow them (by the step table) until one is left.
// A command not listed here is its own single candidate.
struct CommandCandidates {
  int command;
  std::initializer_list<int> methods;
};
inline constexpr CommandCandidates kCommandCandidates[] = {
    {1, {1, 2}},
    {3, {3, 4, 6, kCircleFirstCrossing}},
    {106, {106, 111}},
    {108, {108, 110}},
};

// What a pick did to the running construction.
enum class PickResult {
  Rejected,   // no candidate takes an object of that kind at this step
  Accepted,   // taken; more picks are needed
  Completed,  // taken as the last pick of the one remaining method
};

// The state of a running creation.
struct CreationState {
  int requestedMethod = 0;  // what the user chose; kept across repeated constructions
  std::array<bool, kCreationMethods.size()> candidates{};
  int chosenMethod = 0;
  int step = 1;
  std::vector<int> picks;  // object indices, in pick order
  int autoPoints = 0;      // free points created for this construction
};

}  // namespace zelmora
