#include "cli/task_commands.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <string_view>

#include "cli/load_document.h"
#include "cli/number_list.h"
#include "lessons/task_file.h"
#include "lessons/task_making.h"

namespace zelmora {
namespace {

constexpr int kWritten = 0;
constexpr int kNotDependent = 1;
constexpr int kBadUsage = 2;

int Usage(const std::string& problem) {
  std::cerr << "zelmora-cli: " << problem << " (see zelmora-cli --help)\n";
  return kBadUsage;
}

std::optional<int> ParseBudget(std::string_view text) {
  int value = -1;
  const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || ptr != text.data() + text.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

// "compass-ruler" or method codes.
bool ParseAllowed(std::string_view text, std::vector<ConstructionMethod>& allowed) {
  if (text == "compass-ruler") {
    allowed = CompassRulerMethods();
    return true;
  }
  const auto codes = ParseNumbers(text);
  if (!codes) return false;
  allowed.clear();
  for (int code : *codes) {
    const MethodInfo* method = FindMethod(MethodCode{code});
    if (method == nullptr) return false;
    allowed.push_back(method->method);
  }
  return true;
}

struct MakeTaskOptions {
  std::optional<std::vector<int>> givens, targets;
  std::string error;
};

// Reads the options into `task` and `options`; a usage problem lands in
// `options.error`.
void ParseMakeTask(const std::vector<std::string>& args, Task& task, MakeTaskOptions& options) {
  task.allowed = AllMethods();
  for (std::size_t i = 2; i < args.size() && options.error.empty(); ++i) {
    const std::string& option = args[i];
    if (i + 1 == args.size()) {
      options.error = option.starts_with("--") ? option + " needs a value"
                                               : "unknown argument \"" + option + "\"";
      return;
    }
    const std::string& value = args[++i];
    if (option == "--givens" || option == "--targets") {
      (option == "--givens" ? options.givens : options.targets) = ParseNumbers(value);
      if (!(option == "--givens" ? options.givens : options.targets)) {
        options.error = option + " needs object numbers like 0,1,2";
      }
    } else if (option == "--title") {
      task.title = value;
    } else if (option == "--statement") {
      task.statement.push_back(value);
    } else if (option == "--hint") {
      task.hints.push_back(value);
    } else if (option == "--allow") {
      if (!ParseAllowed(value, task.allowed)) {
        options.error = "--allow needs method codes like 101,201 or compass-ruler";
      }
    } else if (option == "--max-steps" || option == "--max-elementary") {
      const auto budget = ParseBudget(value);
      if (!budget) options.error = option + " needs a whole number from 0 up";
      (option == "--max-steps" ? task.maxSteps : task.maxElementary) = budget.value_or(kNoBudget);
    } else {
      options.error = "unknown option \"" + option + "\"";
    }
  }
  if (options.error.empty() && (!options.givens || !options.targets)) {
    options.error = "make-task needs --givens and --targets";
  }
}

}  // namespace

int MakeTaskCommand(const std::vector<std::string>& args) {
  if (args.size() < 2) return Usage("make-task needs a drawing and a task file");
  Task task;
  MakeTaskOptions options;
  ParseMakeTask(args, task, options);
  if (!options.error.empty()) return Usage(options.error);
  ObjectList list;
  DocumentInfo info;
  if (!LoadForCommand(args[0], list, info)) return kBadUsage;
  const MakeTaskResult made = MakeTask(list, *options.givens, *options.targets, task);
  if (!made.ok) {
    std::cerr << "zelmora-cli: " << made.error << "\n";
    return made.notDependent >= 0 ? kNotDependent : kBadUsage;
  }
  const SaveResult saved = SaveTask(args[1], task);
  if (!saved.ok) {
    std::cerr << "zelmora-cli: " << saved.error << "\n";
    return kBadUsage;
  }
  return kWritten;
}

}  // namespace zelmora
