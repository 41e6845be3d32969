#include <string>

#include "lessons/task_checker.h"

namespace zelmora {
namespace {

std::string Budget(int used, int budget) {
  std::string text = std::to_string(used);
  if (budget != kNoBudget) text += " из " + std::to_string(budget);
  return text;
}

std::string TargetLine(const TGObject& target, TargetStatus status) {
  const std::string name = "«" + target.Name + "»";
  switch (status) {
    case TargetStatus::kBuilt:
      return name + ": построено.";
    case TargetStatus::kOnlyHere:
      return name + ": построение совпадает только на этом рисунке — подвигайте данные точки.";
    case TargetStatus::kMissing:
      break;
  }
  return name + ": не построено.";
}

}  // namespace

std::vector<std::string> DescribeResult(const Task& task, const CheckResult& result,
                                        const std::function<std::string(int)>& methodName) {
  if (!result.isAttempt) return {"Это не решение этой задачи: " + result.notAttempt + "."};
  std::vector<std::string> lines;
  lines.push_back(result.solved ? "Задача решена!" : "Задача пока не решена.");
  for (std::size_t t = 0; t < result.targets.size() && t < task.targets.size(); ++t) {
    lines.push_back(TargetLine(task.construction[task.targets[t]], result.targets[t]));
  }
  if (!result.forbidden.empty()) {
    std::string line = "В этой задаче нельзя пользоваться: ";
    for (std::size_t i = 0; i < result.forbidden.size(); ++i) {
      line += (i == 0 ? "" : ", ") + methodName(result.forbidden[i]);
    }
    lines.push_back(line + ".");
  }
  lines.push_back("Шагов: " + Budget(result.steps, task.maxSteps) +
                  ", элементарных построений: " + Budget(result.elementary, task.maxElementary) +
                  (result.overBudget ? " — больше, чем нужно." : "."));
  return lines;
}

}  // namespace zelmora
