#include <gtest/gtest.h>

#include <string>

#include "lessons/grading.h"
#include "lessons/sketch.h"
#include "lessons/task_making.h"

namespace zelmora {
namespace {

// What a spreadsheet shows of a class: a row per file, the targets not
// built by name, fields with ';' or '"' quoted.
TEST(Grading, TheTableNamesWhatEachPupilMissed) {
  test::Sketch s;
  s.Point(100, 100, "A");
  s.Point(300, 100, "B");
  s.Build(ConstructionMethod::Midpoint, {&s.list[0], &s.list[1]}).Name = std::string(1, 'M');
  Task task;
  ASSERT_TRUE(MakeTask(s.list, {0, 1}, {2}, task).ok);
  GradedAttempt solved{"ann.zms", {}, {}};
  solved.result.solved = true;
  solved.result.targets = {TargetStatus::kBuilt};
  solved.result.steps = 1;
  solved.result.elementary = 4;
  GradedAttempt byEye{"bob; 7b.zms", {}, {}};
  byEye.result.targets = {TargetStatus::kOnlyHere};
  byEye.result.forbidden = {9, 104};
  GradedAttempt broken{"eve.zms", {}, "unreadable document: \"x\" is not a number"};
  EXPECT_EQ(GradesCsv(task, {solved, byEye, broken}),
            "file;solved;steps;elementary;not built;forbidden;error\r\n"
            "ann.zms;yes;1;4;;;\r\n"
            "\"bob; 7b.zms\";no;0;0;M (only-here);9 104;\r\n"
            "eve.zms;no;0;0;;;\"unreadable document: \"\"x\"\" is not a number\"\r\n");
}

}  // namespace
}  // namespace zelmora
