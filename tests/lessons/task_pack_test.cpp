// Every task the program ships: the teacher's construction solves it, the
// targets laid by eye coincide only on the picture, and a tool the lesson
// does not allow is named.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "geometry/object_shape.h"
#include "lessons/method_steps.h"
#include "lessons/task_checker.h"
#include "lessons/task_file.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ShippedTasks() {
  std::vector<fs::path> tasks;
  for (const auto& entry : fs::directory_iterator(fs::path(ZELMORA_BIN_DIR) / "Tasks")) {
    if (entry.path().extension() == ".zmt") tasks.push_back(entry.path());
  }
  std::sort(tasks.begin(), tasks.end());
  return tasks;
}

void CopyOf(const ObjectList& from, ObjectList& to) {
  DocumentInfo info;
  ASSERT_TRUE(ReadPlane(WritePlane(from, {}), to, info).ok());
}

// The givens, then each target drawn by hand where it stands, to whole pixels.
void ByEye(const Task& task, ObjectList& attempt) {
  CopyOf(task.construction, attempt);
  for (std::size_t i = attempt.size(); i-- > task.givenCount;) {
    if (i < attempt.size()) attempt.DeleteWithDescendants(i);
  }
  for (std::size_t target : task.targets) {
    const TGObject& exact = task.construction[target];
    TGObject& drawn = *attempt.AddOfKind(exact.Kind());
    ShapeNumbers shape = ShapeOf(exact);
    for (double& number : shape) number = std::round(number);
    SetShape(drawn, shape);
    if (exact.Kind() == kLineKind) {
      static_cast<TGLine&>(drawn).Bounded1 = static_cast<const TGLine&>(exact).Bounded1;
      static_cast<TGLine&>(drawn).Bounded2 = static_cast<const TGLine&>(exact).Bounded2;
    }
  }
}

// The first method of points alone that the task does not allow, built on
// two points of the pupil's own.
int AddForbidden(const Task& task, ObjectList& attempt) {
  for (const MethodInfo& method : kMethods) {
    const bool onPoints =
        !method.parents.empty() && method.parents.find_first_not_of('P') == std::string_view::npos;
    if (task.Allows(method.method) || !onPoints) continue;
    std::vector<TGObject*> parents;
    for (std::size_t k = 0; k < method.parents.size(); ++k) {
      TGPoint& p = attempt.AddPoint();
      p.X = 40 + 90 * k, p.Y = 30 + 50 * (k % 2);
      parents.push_back(&p);
    }
    attempt.Complete(*attempt.AddOfKind(method.kind), parents, method.code);
    return Number(method.code);
  }
  return -1;
}

TEST(TaskPack, EveryTaskChecksTheReferenceTheEyeAndTheTools) {
  const std::vector<fs::path> tasks = ShippedTasks();
  EXPECT_GE(tasks.size(), 30u);
  for (const fs::path& path : tasks) {
    SCOPED_TRACE(path.filename().string());
    Task task;
    ASSERT_TRUE(LoadTask(path, task).ok);
    EXPECT_FALSE(task.statement.empty());
    EXPECT_FALSE(task.hints.empty());

    ObjectList reference;
    CopyOf(task.construction, reference);
    const CheckResult right = CheckAttempt(task, reference);
    EXPECT_TRUE(right.solved);
    EXPECT_FALSE(right.overBudget);

    ObjectList byEye;
    ByEye(task, byEye);
    const CheckResult eye = CheckAttempt(task, byEye);
    EXPECT_FALSE(eye.solved);
    EXPECT_EQ(eye.targets, std::vector<TargetStatus>(task.targets.size(), TargetStatus::kOnlyHere));

    const int code = AddForbidden(task, reference);
    ASSERT_NE(code, -1) << "the task allows every method of points";
    const CheckResult forbidden = CheckAttempt(task, reference);
    EXPECT_FALSE(forbidden.solved);
    EXPECT_EQ(forbidden.forbidden, std::vector<int>{code});
  }
}

}  // namespace
}  // namespace zelmora
