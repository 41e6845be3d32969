#include <iostream>
#include <string>

#include "cli/json_dump.h"
#include "cli/task_commands.h"
#include "lessons/grading.h"
#include "lessons/task_file.h"

namespace zelmora {
namespace {

constexpr int kAllSolved = 0;
constexpr int kSomeNotSolved = 1;
constexpr int kUnreadable = 2;

using Graded = GradedAttempt;

std::string WithBudget(int used, int budget) {
  std::string text = std::to_string(used);
  if (budget != kNoBudget) text += '/' + std::to_string(budget);
  return text;
}

// Built with += throughout: GCC 12 warns falsely (-Wrestrict) on chains of +.
std::string Line(const Task& task, const Graded& graded) {
  std::string line = graded.file;
  if (!graded.error.empty()) {
    line += ": error: ";
    line += graded.error;
    return line;
  }
  const CheckResult& r = graded.result;
  line += r.solved ? ": solved; targets:" : ": not solved; targets:";
  for (TargetStatus status : r.targets) {
    line += ' ';
    line += StatusName(status);
  }
  line += "; steps ";
  line += WithBudget(r.steps, task.maxSteps);
  line += ", elementary ";
  line += WithBudget(r.elementary, task.maxElementary);
  if (r.overBudget) line += " (over budget)";
  if (!r.forbidden.empty()) line += "; forbidden:";
  for (int code : r.forbidden) {
    line += ' ';
    line += std::to_string(code);
  }
  return line;
}

std::string Json(const Graded& graded) {
  const CheckResult& r = graded.result;
  std::string out = "{\"file\": ";
  out += JsonString(graded.file);
  out += r.solved ? ", \"solved\": true, \"targets\": [" : ", \"solved\": false, \"targets\": [";
  for (std::size_t i = 0; i < r.targets.size(); ++i) {
    out += i > 0 ? ", {\"index\": " : "{\"index\": ";
    out += std::to_string(i);
    out += ", \"status\": \"";
    out += StatusName(r.targets[i]);
    out += "\"}";
  }
  out += "], \"steps\": ";
  out += std::to_string(r.steps);
  out += ", \"elementary\": ";
  out += std::to_string(r.elementary);
  out += ", \"forbidden\": [";
  for (std::size_t i = 0; i < r.forbidden.size(); ++i) {
    if (i > 0) out += ", ";
    out += std::to_string(r.forbidden[i]);
  }
  out += "], \"error\": ";
  out += graded.error.empty() ? std::string("null") : JsonString(graded.error);
  out += '}';
  return out;
}

}  // namespace

int CheckTaskCommand(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() < 2) {
    std::cerr << "zelmora-cli: check-task needs a task and at least one attempt"
                 " (see zelmora-cli --help)\n";
    return kUnreadable;
  }
  Task task;
  const TaskLoadResult loaded = LoadTask(files[0], task);
  if (!loaded.ok) {
    std::cerr << "zelmora-cli: " << files[0] << ": unreadable task: " << loaded.detail << "\n";
    return kUnreadable;
  }
  int status = kAllSolved;
  if (json) std::cout << "[";
  for (std::size_t i = 1; i < files.size(); ++i) {
    const Graded graded = GradeFile(task, files[i]);
    if (!graded.error.empty()) {
      status = kUnreadable;
    } else if (!graded.result.solved && status == kAllSolved) {
      status = kSomeNotSolved;
    }
    if (json) {
      std::cout << (i > 1 ? ",\n " : "") << Json(graded);
    } else {
      std::cout << Line(task, graded) << "\n";
    }
  }
  if (json) std::cout << "]\n";
  return std::cout.flush() ? status : kUnreadable;
}

}  // namespace zelmora
