#pragma once

#include <string>
#include <vector>

#include "geometry/object_list.h"
#include "lessons/task.h"

// A task made from a teacher's drawing: the picked givens (with whatever
// they are built on) and the picked targets with their construction.
namespace zelmora {

struct MakeTaskResult {
  bool ok = false;
  // The first target that rests on an object placed by hand that is not
  // given; -1 when the failure is another one.
  int notDependent = -1;
  int restsOn = -1;   // the object placed by hand it rests on
  std::string error;  // English, for the command line
};

// Fills `task`'s construction, given count and targets; its texts, tools and
// budgets are the caller's. Object numbers count in `drawing`.
MakeTaskResult MakeTask(const ObjectList& drawing, const std::vector<int>& givens,
                        const std::vector<int>& targets, Task& task);

}  // namespace zelmora
