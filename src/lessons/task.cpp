#include "lessons/task.h"

#include <algorithm>
#include <utility>

#include "lessons/method_steps.h"

namespace zelmora {

bool Task::Allows(ConstructionMethod method) const {
  return std::find(allowed.begin(), allowed.end(), method) != allowed.end();
}

void Task::Swap(Task& other) noexcept {
  std::swap(title, other.title);
  std::swap(statement, other.statement);
  std::swap(hints, other.hints);
  std::swap(allowed, other.allowed);
  std::swap(maxSteps, other.maxSteps);
  std::swap(maxElementary, other.maxElementary);
  std::swap(givenCount, other.givenCount);
  std::swap(targets, other.targets);
  construction.Swap(other.construction);
}

std::vector<ConstructionMethod> AllMethods() {
  std::vector<ConstructionMethod> methods;
  for (const MethodInfo& info : kMethods) methods.push_back(info.method);
  return methods;
}

std::vector<ConstructionMethod> CompassRulerMethods() {
  std::vector<ConstructionMethod> methods;
  for (const MethodInfo& info : kMethods) {
    if (StepsOf(info.method).compassRuler) methods.push_back(info.method);
  }
  return methods;
}

}  // namespace zelmora
