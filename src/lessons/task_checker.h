#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "geometry/object_list.h"
#include "lessons/task.h"

// Whether a pupil's drawing solves a task: not on the picture as it stands
// alone, but on many pictures with the givens, and the pupil's own freely
// placed objects, put elsewhere at random.
namespace zelmora {

enum class TargetStatus { kBuilt, kOnlyHere, kMissing };

struct CheckOptions {
  int instances = 20;  // pictures compared, the one as it stands among them
  std::uint64_t seed = 20260917;
  // The window checks a drawing whose givens the pupil may have dragged; a
  // file handed in must show them where the task put them.
  bool givensInPlace = true;
};

struct CheckResult {
  bool isAttempt = false;
  std::string notAttempt;             // why not, in Russian, when it is not
  std::vector<TargetStatus> targets;  // in the task's order
  int steps = 0;                      // L
  int elementary = 0;                 // E
  std::vector<int> forbidden;         // method codes used but not allowed, ascending
  int instances = 0;                  // pictures actually compared
  bool solved = false;
  bool overBudget = false;
};

// `attempt` is recomputed on the random pictures, then put back as it stood.
CheckResult CheckAttempt(const Task& task, ObjectList& attempt, const CheckOptions& options = {});

// The result in plain Russian, a line per point; `methodName` names a method
// by its code.
std::vector<std::string> DescribeResult(const Task& task, const CheckResult& result,
                                        const std::function<std::string(int)>& methodName);

}  // namespace zelmora
