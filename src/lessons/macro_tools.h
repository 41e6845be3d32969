#pragma once

#include <string_view>

#include "lessons/task.h"

namespace zelmora {

// Whether a lesson may offer the macro: every method its construction uses
// is one the task allows. False for a file no macro can be applied from.
bool TaskAllowsMacro(const Task& task, std::string_view macroBytes);

}  // namespace zelmora
