#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "document/load_recompute.h"
#include "geometry/whole_drawing.h"
#include "lessons/attempt_rules.h"
#include "lessons/sketch.h"
#include "lessons/task_checker.h"
#include "lessons/task_making.h"

namespace zelmora {
namespace {

using test::Sketch;
using M = ConstructionMethod;
using S = TargetStatus;

// The tasks of the table, all on the segment from A (200, 300) to B (440, 300)
// unless the givens are degenerate (both at one place).
enum class Goal { Bisector, Apex, Midpoint, BisectorOfOnePoint };

void Givens(Sketch& s, Goal goal) {
  s.Point(goal == Goal::BisectorOfOnePoint ? 300 : 200, 300, "A");
  s.Point(goal == Goal::BisectorOfOnePoint ? 300 : 440, 300, "B");
}

// Circles about A through B and about B through A, and both their crossings.
std::pair<TGObject*, TGObject*> Lens(Sketch& s) {
  TGObject& a = s.list[0];
  TGObject& b = s.list[1];
  TGObject& around_a = s.Build(M::CircleByCentreAndPoint, {&a, &b});
  TGObject& around_b = s.Build(M::CircleByCentreAndPoint, {&b, &a});
  return s.Cross(M::CirclesFirst, around_a, around_b);
}

void MakeGoal(Goal goal, Task& task) {
  Sketch s;
  Givens(s, goal);
  int target = 0;
  if (goal == Goal::Midpoint) {
    target = s.Build(M::Midpoint, {&s.list[0], &s.list[1]}).Index();
  } else {
    const auto [x, y] = Lens(s);
    target = goal == Goal::Apex ? x->Index() : s.Build(M::LineThroughTwoPoints, {x, y}).Index();
  }
  s.list[target].Name = std::string(1, 'T');
  ASSERT_TRUE(MakeTask(s.list, {0, 1}, {target}, task).ok);
  task.allowed = goal == Goal::Midpoint ? AllMethods() : CompassRulerMethods();
}

struct Case {
  std::string name;
  Goal goal;
  std::function<void(Sketch&)> draw;  // after the givens
  bool isAttempt;
  S status;
  bool solved;
  std::vector<int> forbidden;
  int steps;
};

const Case kCases[] = {
    {"TheTeachersConstruction",
     Goal::Bisector,
     [](Sketch& s) {
       const auto [x, y] = Lens(s);
       s.Build(M::LineThroughTwoPoints, {x, y});
     },
     true,
     S::kBuilt,
     true,
     {},
     3},
    // The radius is carried from two points of the pupil's choice; where
    // they fall too close for the circles to meet, the picture is drawn again.
    {"AnotherConstructionWithAuxiliaryPoints",
     Goal::Bisector,
     [](Sketch& s) {
       TGObject& c = s.Point(50, 50);
       TGObject& d = s.Point(50, 250);
       TGObject& ca = s.Build(M::CircleByCentreAndRadius, {&s.list[0], &c, &d});
       TGObject& cb = s.Build(M::CircleByCentreAndRadius, {&s.list[1], &c, &d});
       const auto [x, y] = s.Cross(M::CirclesFirst, ca, cb);
       s.Build(M::Segment, {x, y});
     },
     true,
     S::kBuilt,
     true,
     {},
     3},
    // Circles drawn in the other order swap the roots: the other apex is as right.
    {"TheOtherCrossingPoint",
     Goal::Apex,
     [](Sketch& s) {
       TGObject& around_b = s.Build(M::CircleByCentreAndPoint, {&s.list[1], &s.list[0]});
       TGObject& around_a = s.Build(M::CircleByCentreAndPoint, {&s.list[0], &s.list[1]});
       s.Cross(M::CirclesFirst, around_b, around_a);
     },
     true,
     S::kBuilt,
     true,
     {},
     2},
    {"ByEye", Goal::Apex, [](Sketch& s) { s.Point(320, 92); }, true, S::kOnlyHere, false, {}, 0},
    // Circles through a point put by eye meet at that point only.
    {"DependsOnAnAuxiliaryPoint",
     Goal::Apex,
     [](Sketch& s) {
       TGObject& c = s.Point(320, 93);
       TGObject& ca = s.Build(M::CircleByCentreAndPoint, {&s.list[0], &c});
       TGObject& cb = s.Build(M::CircleByCentreAndPoint, {&s.list[1], &c});
       s.Cross(M::CirclesFirst, ca, cb);
     },
     true,
     S::kOnlyHere,
     false,
     {},
     2},
    {"WrongByALittle",
     Goal::Midpoint,
     [](Sketch& s) {
       TGObject& length = s.Length(119);
       s.Build(M::PointAtDistance, {&s.list[0], &s.list[1], &length});
     },
     true,
     S::kOnlyHere,
     false,
     {},
     1},
    {"ForbiddenMethod",
     Goal::Bisector,
     [](Sketch& s) {
       s.Build(M::PerpendicularBisector, {&s.list[0], &s.list[1]});
     },
     true,
     S::kBuilt,
     false,
     {Number(Info(M::PerpendicularBisector).code)},
     1},
    {"NothingBuilt", Goal::Bisector, [](Sketch&) {}, true, S::kMissing, false, {}, 0},
    {"NotAnAttempt",
     Goal::Bisector,
     [](Sketch& s) { static_cast<TGPoint&>(s.list[1]).X += 3; },
     false,
     S::kMissing,
     false,
     {},
     0},
    // On the picture as it stands nothing can be built; the others decide.
    {"DegenerateGivens",
     Goal::BisectorOfOnePoint,
     [](Sketch& s) {
       const auto [x, y] = Lens(s);
       s.Build(M::LineThroughTwoPoints, {x, y});
     },
     true,
     S::kBuilt,
     true,
     {},
     3},
};

class CheckerTest : public testing::TestWithParam<Case> {};

TEST_P(CheckerTest, GivesTheVerdictAPupilShouldSee) {
  const Case& c = GetParam();
  Task task;
  MakeGoal(c.goal, task);
  Sketch attempt;
  Givens(attempt, c.goal);
  c.draw(attempt);
  const std::string before = WritePlane(attempt.list, {});
  const CheckResult result = CheckAttempt(task, attempt.list);
  EXPECT_EQ(WritePlane(attempt.list, {}), before) << "checking moved the pupil's drawing";
  ASSERT_EQ(result.isAttempt, c.isAttempt) << result.notAttempt;
  if (!c.isAttempt) {
    EXPECT_FALSE(result.notAttempt.empty());
    return;
  }
  ASSERT_EQ(result.targets.size(), 1u);
  EXPECT_EQ(result.targets[0], c.status);
  EXPECT_EQ(result.solved, c.solved);
  EXPECT_EQ(result.forbidden, c.forbidden);
  EXPECT_EQ(result.steps, c.steps);
  EXPECT_GE(result.instances, 20);
}

INSTANTIATE_TEST_SUITE_P(Attempts, CheckerTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

// What a pupil may do to a solved bisector (radius carried from two points
// of the pupil's own) before saving it. The file must still be an attempt
// the teacher's check accepts; where the whole drawing was moved, the
// pupil's own points come back to where they were drawn.
struct Handling {
  const char* name;
  std::function<void(ObjectList&)> move;
  bool wholeDrawing;
};

const Handling kHandlings[] = {
    {"B dragged",
     [](ObjectList& list) {
       static_cast<TGPoint&>(list[1]).X = 520;
       RecomputeLoaded(list);
     },
     false},
    {"zoomed", [](ObjectList& list) { ScaleAll(list, 400, 300, 1.5); }, true},
    {"zoomed and panned",
     [](ObjectList& list) {
       ScaleAll(list, 400, 300, 0.8);
       SaveAllPositions(list);
       TranslateAll(list, 130, 70, TransformFrame{100, 100, 400, 300});
     },
     true},
};

TEST(GivensInPlace, AMovedAttemptGoesBackBeforeItIsHandedIn) {
  Task task;
  MakeGoal(Goal::Bisector, task);
  for (const Handling& handling : kHandlings) {
    SCOPED_TRACE(handling.name);
    Sketch attempt;
    Givens(attempt, Goal::Bisector);
    TGObject& c = attempt.Point(50, 50);
    TGObject& d = attempt.Point(50, 250);
    TGObject& ca = attempt.Build(M::CircleByCentreAndRadius, {&attempt.list[0], &c, &d});
    TGObject& cb = attempt.Build(M::CircleByCentreAndRadius, {&attempt.list[1], &c, &d});
    const auto [x, y] = attempt.Cross(M::CirclesFirst, ca, cb);
    attempt.Build(M::Segment, {x, y});
    const std::string drawn = WritePlane(attempt.list, {});
    handling.move(attempt.list);
    EXPECT_FALSE(CheckAttempt(task, attempt.list).isAttempt);
    ASSERT_TRUE(PutGivensInPlace(task, attempt.list));
    EXPECT_TRUE(CheckAttempt(task, attempt.list).solved);
    if (handling.wholeDrawing) {
      EXPECT_NEAR(static_cast<const TGPoint&>(c).X, 50, 1e-6);
      EXPECT_NEAR(static_cast<const TGPoint&>(d).Y, 250, 1e-6);
    }
    EXPECT_FALSE(PutGivensInPlace(task, attempt.list)) << "nothing was left to move";
  }
}

}  // namespace
}  // namespace zelmora
