#pragma once

#include <array>
#include <initializer_list>
#include <vector>

namespace zelmora {

// The construction methods a creation knows, in the order candidates are
// tried. 304 is the line-circle intersection picked circle first.
inline constexpr std::array<int, 29> kCreationMethods = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  100, 101, 102,
    103, 104, 105, 106, 107, 108, 109, 110, 111, 200, 201, 202, 203, 304};

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
    {3, {3, 4, 6, 304}},
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
