#pragma once

#include <string>
#include <vector>

#include "lessons/task_checker.h"

// Grading a class: every pupil's file checked against one task.
namespace zelmora {

struct GradedAttempt {
  std::string file;
  CheckResult result;
  std::string error;  // the file is unreadable or no attempt of the task; empty otherwise
};

GradedAttempt GradeFile(const Task& task, const std::string& file);

// "only-here" and the like, as the command line and tables write a target's state.
const char* StatusName(TargetStatus status);

// One row per attempt: file; solved; L; E; targets missing or only here;
// forbidden codes; error. Fields end with ';' and are quoted where needed,
// as spreadsheets read them.
std::string GradesCsv(const Task& task, const std::vector<GradedAttempt>& grades);

}  // namespace zelmora
