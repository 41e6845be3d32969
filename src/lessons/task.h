#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/object_list.h"

// A construction task of a lesson: what the pupil is given, what is to be
// built, with which tools, and the teacher's construction of the answer.
namespace zelmora {

inline constexpr int kNoBudget = -1;

struct Task {
  std::string title;
  std::vector<std::string> statement;  // lines, as a textbook prints them
  std::vector<std::string> hints;      // shown one at a time
  std::vector<ConstructionMethod> allowed;
  int maxSteps = kNoBudget;       // L, tool uses
  int maxElementary = kNoBudget;  // E, elementary ruler-and-compass steps
  // The givens are the first `givenCount` objects of `construction`; the
  // rest is the teacher's construction of the targets from them.
  std::size_t givenCount = 0;
  std::vector<std::size_t> targets;  // numbers in `construction`
  ObjectList construction;

  bool Allows(ConstructionMethod method) const;
  // A task owns a drawing, which is never copied; readers build a fresh one
  // and exchange it whole.
  void Swap(Task& other) noexcept;
};

// Every method, the set of a lesson without restrictions.
std::vector<ConstructionMethod> AllMethods();
// The methods of a ruler and a (non-collapsing) compass.
std::vector<ConstructionMethod> CompassRulerMethods();

}  // namespace zelmora
