#pragma once

#include <functional>
#include <string>
#include <vector>

#include "geometry/object_list.h"
#include "lessons/task.h"
#include "lessons/task_checker.h"

// What is read off an attempt without computing anything: whether it starts
// with the task's givens, its steps, the tools it used.
namespace zelmora {

// Empty when `attempt` starts with the givens of `task` (kind, method,
// parents and, with `places`, position within half a pixel); otherwise why
// not, in Russian.
std::string GivensMismatch(const Task& task, const ObjectList& attempt, bool places);

// L and E of the objects after the givens, the methods the task does not
// allow, and whether the budget is exceeded.
void CountSteps(const Task& task, const ObjectList& attempt, CheckResult& result);

}  // namespace zelmora
