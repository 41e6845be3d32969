#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "interaction/editor.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {
using M = ConstructionMethod;

using testing::FakeEditorView;
using testing::TableConstructionTables;

// A scene with objects far enough apart that each press hits one of them.
enum Scene { P0, P1, P2, L, C1, C2, L2, kSceneSize };

struct Press {
  int x, y;
};
// Where to press to hit each scene object.
constexpr Press kOn[kSceneSize] = {{100, 100}, {300, 100}, {200, 300}, {650, 400},
                                   {500, 120}, {680, 200}, {400, 475}};
constexpr Press kEmpty{60, 560};

class CreationTest : public ::testing::Test {
 protected:
  CreationTest() : editor(view, tables) {
    editor.Resize(800, 600, 1000, 700);
    ObjectList& list = editor.Objects();
    for (auto [x, y] : {std::pair{100.0, 100.0}, {300.0, 100.0}, {200.0, 300.0}}) {
      TGPoint& p = list.AddPoint();
      p.X = x;
      p.Y = y;
      p.MustDraw = true;
    }
    AddLine(100, 400, 700, 400);
    AddCircle(500, 200, 80);
    AddCircle(600, 200, 80);
    AddLine(100, 500, 700, 450);
    list.ClearModified();
  }
  void AddLine(double x1, double y1, double x2, double y2) {
    TGLine& l = editor.Objects().AddLine();
    l.X1 = x1, l.Y1 = y1, l.X2 = x2, l.Y2 = y2;
    l.Method = CodeOf(M::FreeLine);
    l.MustDraw = true;
  }
  void AddCircle(double cx, double cy, double r) {
    TGCircle& c = editor.Objects().AddCircle();
    c.CX = cx, c.CY = cy, c.R = r;
    c.Method = CodeOf(M::FreeCircle);
    c.MustDraw = true;
  }
  void Click(Press p) {
    editor.MouseMove({}, p.x, p.y);
    editor.MouseDown(MouseButton::Left, {}, p.x, p.y);
    editor.MouseUp(MouseButton::Left, {}, p.x, p.y);
  }
  std::vector<int> ParentIndices(const TGObject& o) {
    std::vector<int> out;
    for (const TGObject* p : o.Parents) out.push_back(p->Index());
    return out;
  }

  FakeEditorView view;
  TableConstructionTables tables;
  Editor editor;
};

struct MethodCase {
  const char* name;
  int menuCode;
  std::vector<int> picks;     // scene objects pressed, in order
  ConstructionMethod method;  // of the (first) new object
  std::vector<int> parents;
  int newObjects;  // 2 for the intersection pairs
};

class EveryMethodTest : public CreationTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(EveryMethodTest, BuildsTheObjectFromThePicks) {
  const MethodCase& c = GetParam();
  view.parameterAnswers = {50.0};
  editor.StartCreation(testing::CommandAt(c.menuCode));
  EXPECT_EQ(editor.State(), InteractionState::PickParents);
  for (int pick : c.picks) Click(kOn[pick]);
  const ObjectList& list = editor.Objects();
  const bool valueParent = Info(c.method).takesValue;
  ASSERT_EQ(list.size(), kSceneSize + c.newObjects + (valueParent ? 1 : 0));
  const TGObject& made = list[list.size() - c.newObjects];
  EXPECT_EQ(made.Method, CodeOf(c.method));
  std::vector<int> expected = c.parents;
  if (valueParent) expected.push_back(kSceneSize);
  EXPECT_EQ(ParentIndices(made), expected);
  EXPECT_TRUE(made.MustDraw);
  if (c.newObjects == 2) {
    EXPECT_EQ(Number(list.back().Method), Number(CodeOf(c.method)) + 1);  // the other root
    EXPECT_EQ(ParentIndices(list.back()), expected);
  }
  EXPECT_TRUE(list.Modified());
  // The same method is ready again, with nothing picked and nothing blinking.
  EXPECT_EQ(editor.State(), InteractionState::PickParents);
  EXPECT_EQ(editor.Creation().step, 1);
  EXPECT_TRUE(editor.Creation().picks.empty());
  EXPECT_FALSE(view.blinking);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, EveryMethodTest,
    ::testing::Values(
        MethodCase{"OnLine", 1, {L}, M::PointOnLine, {L}, 1},
        MethodCase{"OnCircle", 1, {C1}, M::PointOnCircle, {C1}, 1},
        MethodCase{"LineLine", 3, {L, L2}, M::LinesCrossing, {L, L2}, 1},
        MethodCase{"LineCircle", 3, {L, C1}, M::LineCircleFirst, {L, C1}, 2},
        MethodCase{"CircleLineIsSwapped", 3, {C1, L}, M::LineCircleFirst, {L, C1}, 2},
        MethodCase{"CircleCircle", 3, {C1, C2}, M::CirclesFirst, {C1, C2}, 2},
        MethodCase{"Projection", 8, {P0, L}, M::Projection, {P0, L}, 1},
        MethodCase{"Midpoint", 9, {P0, P1}, M::Midpoint, {P0, P1}, 1},
        MethodCase{"Distance", 10, {P0, P1}, M::PointAtDistance, {P0, P1}, 1},
        MethodCase{"Centre", 11, {C1}, M::CircleCentre, {C1}, 1},
        MethodCase{"TwoPoints", 101, {P0, P1}, M::LineThroughTwoPoints, {P0, P1}, 1},
        MethodCase{"Parallel", 102, {P0, L}, M::ParallelLine, {P0, L}, 1},
        MethodCase{"Perpendicular", 103, {P0, L}, M::PerpendicularLine, {P0, L}, 1},
        MethodCase{"Bisector", 104, {P0, P1}, M::PerpendicularBisector, {P0, P1}, 1},
        MethodCase{"Segment", 105, {P0, P1}, M::Segment, {P0, P1}, 1},
        MethodCase{"AngleOfPoints",
                   106,
                   {P0, L, P0, P1, P2},
                   M::LineAtAngleOfThreePoints,
                   {P0, L, P0, P1, P2},
                   1},
        MethodCase{"ConstantAngle", 107, {P0, L}, M::LineAtConstantAngle, {P0, L}, 1},
        MethodCase{"BisectorRay", 108, {P0, P1, P2}, M::BisectorOfThreePoints, {P0, P1, P2}, 1},
        MethodCase{"Ray", 109, {P0, P1}, M::Ray, {P0, P1}, 1},
        MethodCase{"BisectorOfLines", 108, {L, L2}, M::BisectorOfTwoLines, {L, L2}, 1},
        MethodCase{
            "AngleOfLines", 106, {P0, L, L, L2}, M::LineAtAngleOfTwoLines, {P0, L, L, L2}, 1},
        MethodCase{"CentrePoint", 201, {P0, P1}, M::CircleByCentreAndPoint, {P0, P1}, 1},
        MethodCase{"CentreRadius", 202, {P0, P1, P2}, M::CircleByCentreAndRadius, {P0, P1, P2}, 1},
        MethodCase{"ThreePoints", 203, {P0, P1, P2}, M::CircleThroughThreePoints, {P0, P1, P2}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CreationTest, ComputedPositionsOfSomeMethods) {
  view.parameterAnswers = {50.0};
  editor.StartCreation(Command::PointAtDistance);
  Click(kOn[P0]);
  Click(kOn[P1]);
  const auto& atDistance = static_cast<const TGPoint&>(editor.Objects().back());
  EXPECT_DOUBLE_EQ(atDistance.X, 150);
  EXPECT_DOUBLE_EQ(atDistance.Y, 100);
  EXPECT_EQ(view.askedParameters, std::vector<ParameterKind>{ParameterKind::Distance});

  editor.StartCreation(Command::PointOnObject);
  Click({400, 401});  // onto the line, at the press position's foot
  const auto& onLine = static_cast<const TGPoint&>(editor.Objects().back());
  EXPECT_DOUBLE_EQ(onLine.X, 400);
  EXPECT_DOUBLE_EQ(onLine.Y, 400);
}

TEST_F(CreationTest, FreeObjectsArePlacedByPressAndDrag) {
  editor.StartCreation(Command::FreePoint);
  Click(kEmpty);
  const ObjectList& list = editor.Objects();
  ASSERT_EQ(list.size(), kSceneSize + 2u);  // the placed point and the next pending one
  const auto& p = static_cast<const TGPoint&>(list[kSceneSize]);
  EXPECT_DOUBLE_EQ(p.X, kEmpty.x);
  EXPECT_TRUE(p.MustDraw);
  EXPECT_FALSE(list.back().MustDraw);

  editor.StartCreation(Command::FreeLine);  // return to normal drops the pending point
  ASSERT_EQ(list.size(), kSceneSize + 2u);
  Click({50, 550});  // no drag: the second end goes one unit right
  const auto& line = static_cast<const TGLine&>(list[kSceneSize + 1]);
  EXPECT_DOUBLE_EQ(line.X2, 51);
  EXPECT_DOUBLE_EQ(line.Y2, 550);

  editor.StartCreation(Command::FreeCircle);
  editor.MouseDown(MouseButton::Left, {}, 50, 520);
  editor.MouseMove({.left = true}, 80, 560);
  editor.MouseUp(MouseButton::Left, {}, 80, 560);
  const auto& circle = static_cast<const TGCircle&>(list[kSceneSize + 2]);
  EXPECT_DOUBLE_EQ(circle.R, 50);
  EXPECT_EQ(circle.Method, CodeOf(M::FreeCircle));

  editor.StartCreation(Command::FreePoint);
  editor.MouseDown(MouseButton::Right, {}, 20, 20);
  editor.MouseUp(MouseButton::Right, {}, 20, 20);
  EXPECT_FALSE(list.back().MustDraw);  // the right button places nothing
}

TEST_F(CreationTest, PressesOnEmptyPlacesMakePointsThatCancellingRemoves) {
  editor.StartCreation(Command::LineThroughTwoPoints);
  Click({50, 550});
  EXPECT_EQ(editor.Objects().size(), kSceneSize + 1u);
  EXPECT_EQ(editor.Creation().autoPoints, 1);
  EXPECT_TRUE(view.blinking);
  editor.ReturnToNormal();
  EXPECT_EQ(editor.Objects().size(), kSceneSize + 0u);
  EXPECT_FALSE(view.blinking);

  editor.StartCreation(Command::LineThroughTwoPoints);
  Click({50, 550});
  Click({150, 550});
  ASSERT_EQ(editor.Objects().size(), kSceneSize + 3u);
  EXPECT_EQ(editor.Objects().back().Method, CodeOf(M::LineThroughTwoPoints));
  editor.ReturnToNormal();  // a finished construction stays
  EXPECT_EQ(editor.Objects().size(), kSceneSize + 3u);
}

TEST_F(CreationTest, APickNoCandidateWantsChangesNothing) {
  editor.StartCreation(Command::PointOnObject);  // wants a line or a circle
  Click(kEmpty);
  EXPECT_EQ(editor.Objects().size(), kSceneSize + 0u);
  Click(kOn[P0]);
  EXPECT_EQ(editor.Objects().size(), kSceneSize + 0u);
  EXPECT_EQ(editor.Creation().step, 1);
  EXPECT_EQ(view.prompt, "prompt 1/1");
}

TEST_F(CreationTest, CancellingTheParameterDialogLeavesNoTrace) {
  struct Case {
    const char* name;
    int method;
    std::vector<Press> presses;
  };
  constexpr Press kEmpty2{150, 550};
  const Case cases[] = {
      {"a point, then an empty place", 10, {kOn[P0], kEmpty}},
      {"two empty places", 10, {kEmpty, kEmpty2}},
      {"an empty place, then a point", 10, {kEmpty, kOn[P1]}},
      {"angle: an empty place, then a line", 107, {kEmpty, kOn[L]}},
  };
  const ObjectList& list = editor.Objects();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view.parameterAnswers = {std::nullopt};
    editor.StartCreation(testing::CommandAt(c.method));
    const std::size_t before = list.size();
    const std::string lastName = list.back().Name;
    for (Press p : c.presses) Click(p);
    // Neither the value object nor a point made by pressing beside the objects stays.
    EXPECT_EQ(list.size(), before);
    EXPECT_EQ(list.back().Name, lastName);
    EXPECT_EQ(editor.State(), InteractionState::PickParents);
    EXPECT_EQ(editor.Creation().step, 1);
    EXPECT_TRUE(editor.Creation().picks.empty());
    EXPECT_EQ(editor.Creation().autoPoints, 0);
  }
}

TEST_F(CreationTest, PopupPicksNeverCreatePoints) {
  editor.StartCreation(Command::Midpoint);
  editor.MenuSelect(P0);
  editor.MenuSelect(L);  // a line is not wanted
  EXPECT_EQ(editor.Creation().step, 2);
  editor.MenuSelect(P1);
  EXPECT_EQ(editor.Objects().back().Method, CodeOf(M::Midpoint));
  EXPECT_EQ(editor.Objects().size(), kSceneSize + 1u);
}

TEST_F(CreationTest, AnUnreadablePromptTableIsReported) {
  tables.failPrompts = true;
  editor.StartCreation(Command::Midpoint);
  EXPECT_EQ(view.errors, std::vector<int>{2});
  EXPECT_EQ(view.prompt, "");
}

TEST_F(CreationTest, NewObjectDialogStartsTheChosenMethod) {
  view.newObjectAnswers = {Command::PerpendicularLine, std::nullopt};
  editor.KeyDown(Key::L, {.ctrl = true});
  EXPECT_EQ(editor.Creation().command, Command::PerpendicularLine);
  EXPECT_EQ(editor.State(), InteractionState::PickParents);
  editor.KeyDown(Key::P, {.ctrl = true});
  EXPECT_EQ(editor.State(), InteractionState::Normal);
  EXPECT_EQ(view.askedKinds,
            (std::vector<NewObjectKind>{NewObjectKind::Line, NewObjectKind::Point}));
}

}  // namespace
}  // namespace zelmora
