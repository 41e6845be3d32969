#pragma once

#include <string>
#include <vector>

namespace zelmora {

// "make-task DOC.zms OUT.zmt --givens I,... --targets J,... [--title TEXT]
// [--statement TEXT]... [--allow CODE,...|--allow compass-ruler]
// [--max-steps L] [--max-elementary E] [--hint TEXT]...": makes a task from a
// stored drawing. Returns the exit status.
int MakeTaskCommand(const std::vector<std::string>& args);

// "check-task TASK.zmt ATTEMPT.zms... [--json]": checks pupils' attempts.
int CheckTaskCommand(const std::vector<std::string>& args);

}  // namespace zelmora
