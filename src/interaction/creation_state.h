#pragma once

#include <array>
#include <vector>

#include "interaction/command_table.h"

namespace zelmora {

// What a pick did to the running construction.
enum class PickResult {
  Rejected,   // no candidate takes an object of that kind at this step
  Accepted,   // taken; more picks are needed
  Completed,  // taken as the last pick of the one remaining method
};

// The state of a running creation.
struct CreationState {
  Command command = Command::FreePoint;  // what the user chose; kept across repeated constructions
  std::array<bool, kCreationMethods.size()> candidates{};
  MethodCode chosenMethod{};
  int step = 1;
  std::vector<int> picks;  // object indices, in pick order
  int autoPoints = 0;      // free points created for this construction
};

}  // namespace zelmora
