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

// Puts the givens placed by hand back where the task put them and brings
// what rests on them along, so that a pupil who dragged the givens to test
// the construction, or zoomed the drawing, hands in a file the check
// accepts; when one similarity takes the givens back (a zoom, a pan, a
// turn), the pupil's own free objects go back with it. True when anything
// moved; an attempt that does not start with the givens stays as it is.
bool PutGivensInPlace(const Task& task, ObjectList& attempt);

// L and E of the objects after the givens, the methods the task does not
// allow, and whether the budget is exceeded.
void CountSteps(const Task& task, const ObjectList& attempt, CheckResult& result);

}  // namespace zelmora
