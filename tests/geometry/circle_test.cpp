#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "geometry/graph.h"
#include "geometry/tg_circle.h"
#include "support/line_scene.h"
#include "support/recording_canvas.h"

namespace zelmora {
namespace {

using testing::CursorSpy;
using testing::LineScene;
using testing::RecordingCanvas;

// ---- Recompute -----------------------------------------------------------

struct RecomputeCase {
  std::string name;
  std::function<TGCircle&(LineScene&)> build;
  bool defined;
  double cx, cy, r;
};

class CircleRecompute : public ::testing::TestWithParam<RecomputeCase> {};

TEST_P(CircleRecompute, PlacesCentreRadiusAndDefinedFlag) {
  const RecomputeCase& c = GetParam();
  LineScene s;
  const TGCircle& circle = c.build(s);
  EXPECT_EQ(circle.Defined, c.defined);
  EXPECT_NEAR(circle.CX, c.cx, 1e-9);
  EXPECT_NEAR(circle.CY, c.cy, 1e-9);
  EXPECT_NEAR(circle.R, c.r, 1e-9);
}

// Circles that could not be built keep their creation data: (-10, -20), 1.
const RecomputeCase kRecomputeCases[] = {
    {"CentreAndPoint",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(201, {&s.Point(3, 4), &s.Point(6, 8)});
     },
     true, 3, 4, 5},
    {"CentreOnItsPointHasRadiusZero",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(201, {&s.Point(3, 4), &s.Point(3, 4)});
     },
     true, 3, 4, 0},
    {"CentreAndUndefinedPoint",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(201, {&s.Point(3, 4), &s.UndefinedPoint()});
     },
     false, -10, -20, 1},
    {"CentreAndRadiusOfTwoPoints",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(202, {&s.Point(1, 1), &s.Point(0, 0), &s.Point(6, 8)});
     },
     true, 1, 1, 10},
    {"CentreAndRadiusWithUndefinedPoint",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(202, {&s.Point(1, 1), &s.Point(0, 0), &s.UndefinedPoint()});
     },
     false, -10, -20, 1},
    {"ThreePointsFirstTwoLevel",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(203, {&s.Point(0, 0), &s.Point(10, 0), &s.Point(0, 10)});
     },
     true, 5, 5, std::sqrt(50.0)},
    {"ThreePointsFirstAndLastLevel",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(203, {&s.Point(0, 0), &s.Point(10, 10), &s.Point(10, 0)});
     },
     true, 5, 5, std::sqrt(50.0)},
    {"ThreePointsNoneLevel",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(203, {&s.Point(5, 7), &s.Point(6, 0), &s.Point(-3, 3)});
     },
     true, 2, 3, 5},
    {"ThreePointsOnOneLine",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(203, {&s.Point(0, 0), &s.Point(5, 5), &s.Point(10, 10)});
     },
     false, -10, -20, 1},
    {"ThreePointsTwoCoinciding",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(203, {&s.Point(0, 0), &s.Point(0, 0), &s.Point(3, 4)});
     },
     false, -10, -20, 1},
    {"ThreePointsOneUndefined",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(203, {&s.Point(0, 0), &s.UndefinedPoint(), &s.Point(0, 10)});
     },
     false, -10, -20, 1},
    {"FreeCircleKeepsEvenUndefined",
     [](LineScene& s) -> TGCircle& {
       TGCircle& circle = s.FreeCircle(1, 2, 3);
       circle.Defined = false;
       circle.Recompute();
       return circle;
     },
     false, 1, 2, 3},
    // A damaged drawing: parents missing or of the wrong kind.
    {"LineWherePointExpected",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(201, {&s.Point(3, 4), &s.FreeLine(0, 0, 1, 1)});
     },
     false, -10, -20, 1},
    {"ThreePointMethodWithTwoParents",
     [](LineScene& s) -> TGCircle& {
       return s.Circle(203, {&s.Point(0, 0), &s.Point(10, 0)});
     },
     false, -10, -20, 1},
};

INSTANTIATE_TEST_SUITE_P(Methods, CircleRecompute, ::testing::ValuesIn(kRecomputeCases),
                         [](const auto& info) { return info.param.name; });

TEST(CircleUpdate, CollinearPointsHideItUntilTheyPartAgain) {
  LineScene s;
  TGPoint& moving = s.Point(0, 10);
  TGCircle& circle = s.Circle(203, {&s.Point(0, 0), &s.Point(10, 0), &moving});
  moving.Y = 0;
  moving.X = 20;
  UpdateDescendants(moving);
  EXPECT_FALSE(circle.Defined);
  EXPECT_NEAR(circle.CX, 5, 1e-9);  // keeps its last place
  RecordingCanvas canvas;
  circle.Draw(canvas, false, false, {.showAll = true});
  EXPECT_TRUE(canvas.calls.empty());
  moving.X = 0;
  moving.Y = 10;
  UpdateDescendants(moving);
  EXPECT_TRUE(circle.Defined);
}

TEST(CircleUpdate, CentreBeyondAnyNumberIsUndefined) {
  LineScene s;
  TGCircle& circle = s.Circle(203, {&s.Point(0, 0), &s.Point(1e200, 0), &s.Point(1e200, 1e-100)});
  EXPECT_FALSE(circle.Defined);
  EXPECT_TRUE(std::isfinite(circle.CX) && std::isfinite(circle.CY) && std::isfinite(circle.R));
}

// ---- Drawing -------------------------------------------------------------

struct ColourCase {
  bool selected, blink;
  Color expected;
};

class CircleDraw : public ::testing::TestWithParam<ColourCase> {};

TEST_P(CircleDraw, EllipseBoxPenAndLabel) {
  LineScene s;
  TGCircle& circle = s.FreeCircle(100.5, 50, 20.25);
  circle.Name = "S1";
  circle.NameVisible = true;
  circle.Color = 0x800000;
  circle.Width = 4;
  circle.PenStyle = 1;
  RecordingCanvas canvas;
  circle.Draw(canvas, GetParam().selected, GetParam().blink, {});
  ASSERT_EQ(canvas.calls.size(), 2u);
  const auto& ellipse = canvas.calls[0];
  EXPECT_EQ(ellipse.op, RecordingCanvas::Op::Ellipse);
  EXPECT_EQ(ellipse.a, 80);   // 80.25
  EXPECT_EQ(ellipse.b, 30);   // 29.75
  EXPECT_EQ(ellipse.c, 121);  // 120.75
  EXPECT_EQ(ellipse.d, 70);   // 70.25
  EXPECT_EQ(ellipse.penColor, GetParam().expected);
  EXPECT_EQ(ellipse.penWidth, 4);
  EXPECT_EQ(ellipse.penStyle, PenStyle::Dash);
  const auto& label = canvas.calls[1];
  EXPECT_EQ(label.text, "S1");
  EXPECT_EQ(label.a, static_cast<int>(std::nearbyint(circle.LabelX())));
  EXPECT_EQ(label.b, static_cast<int>(std::nearbyint(circle.LabelY())));
  EXPECT_EQ(label.fontColor, GetParam().expected);
  EXPECT_TRUE(label.transparent);
  EXPECT_FALSE(canvas.BackgroundTransparent());
}

INSTANTIATE_TEST_SUITE_P(States, CircleDraw,
                         ::testing::Values(ColourCase{false, false, 0x800000},
                                           ColourCase{true, false, kSelectedColor},
                                           ColourCase{true, true, kBlinkColor}));

TEST(CircleVisibility, HiddenOrUnmarkedCirclesStayOffTheCanvas) {
  LineScene s;
  TGCircle& circle = s.FreeCircle(10, 10, 5);
  RecordingCanvas canvas;
  circle.Hidden = true;
  circle.Draw(canvas, false, false, {.showAll = true});
  circle.Hidden = false;
  circle.MustDraw = false;
  circle.Draw(canvas, false, false, {});
  EXPECT_TRUE(canvas.calls.empty());
  circle.Draw(canvas, false, false, {.showAll = true});
  EXPECT_FALSE(canvas.calls.empty());
}

// ---- Distance ------------------------------------------------------------

struct DistanceCase {
  std::string name;
  double x, y, expected;
};

class CircleDistance : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(CircleDistance, MeasuresToTheCircleLine) {
  LineScene s;
  EXPECT_NEAR(s.FreeCircle(0, 0, 20).DistanceTo(GetParam().x, GetParam().y), GetParam().expected,
              1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, CircleDistance,
                         ::testing::Values(DistanceCase{"AtCentre", 0, 0, 20},
                                           DistanceCase{"Outside", 25, 0, 5},
                                           DistanceCase{"JustInside", 0, -18, 2},
                                           DistanceCase{"OnTheLine", 12, 16, 0}),
                         [](const auto& info) { return info.param.name; });

// ---- Drag and shift ------------------------------------------------------

TEST(CircleDrag, FreeCircleResizesAndShifts) {
  LineScene s;
  TGCircle& circle = s.FreeCircle(10, 10, 5);
  TGPoint& onIt = s.ChildPoint(2, {&circle});
  circle.DragTo(13, 14);
  EXPECT_EQ(circle.R, 5);
  circle.DragTo(10, 10);
  EXPECT_EQ(circle.R, 0);
  circle.SavedX = 10;
  circle.SavedY = 10;
  circle.ShiftTo(15, 7);
  EXPECT_EQ(circle.CX, 15);
  EXPECT_EQ(circle.CY, 7);
  EXPECT_EQ(circle.SavedX, 15);
  EXPECT_EQ(circle.SavedY, 7);
  EXPECT_EQ(circle.R, 0);
  EXPECT_NEAR(std::hypot(onIt.X - 15, onIt.Y - 7), 0, 1e-9);  // the point on it came along
}

TEST(CircleDrag, ConstructedCircleSnapsBackButFollowsItsCentre) {
  LineScene s;
  TGPoint& centre = s.Point(3, 4);
  TGCircle& circle = s.Circle(201, {&centre, &s.Point(6, 8)});
  circle.SavedX = 3;
  circle.SavedY = 4;
  circle.DragTo(50, 50);
  circle.ShiftTo(60, 60);
  EXPECT_EQ(circle.CX, 3);
  EXPECT_EQ(circle.CY, 4);
  EXPECT_EQ(circle.R, 5);
  centre.X = 6;
  centre.Y = 4;
  UpdateDescendants(centre);
  EXPECT_EQ(circle.CX, 6);
  EXPECT_EQ(circle.R, 4);
}

// ---- Whole-drawing transforms --------------------------------------------

struct TransformCase {
  std::string name;
  std::function<void(TGCircle&)> apply;
  double cx, cy, r;
};

class CircleTransform : public ::testing::TestWithParam<TransformCase> {};

TEST_P(CircleTransform, MovesCentreAndRadius) {
  LineScene s;
  TGCircle& circle = s.FreeCircle(10, 20, 5);
  GetParam().apply(circle);
  EXPECT_NEAR(circle.CX, GetParam().cx, 1e-9);
  EXPECT_NEAR(circle.CY, GetParam().cy, 1e-9);
  EXPECT_NEAR(circle.R, GetParam().r, 1e-9);
}

const TransformCase kTransformCases[] = {
    {"ZoomTwiceAboutOrigin", [](TGCircle& c) { c.ScaleAbout(0, 0, 2); }, 20, 40, 10},
    {"ZoomHalfAboutPoint", [](TGCircle& c) { c.ScaleAbout(10, 10, 0.5); }, 10, 15, 2.5},
    {"TranslateFromSaved",
     [](TGCircle& c) {
       c.SavePosition();
       c.CX = c.CY = 0;
       c.TranslateSaved(110, 95, {.anchorX = 100, .anchorY = 100});
     },
     20, 15, 5},
    {"RotateQuarterTurn",
     [](TGCircle& c) {
       c.CX = 500;
       c.CY = 300;
       c.SavePosition();
       c.RotateSaved(400, 400, {.anchorX = 500, .anchorY = 300, .centerX = 400, .centerY = 300});
     },
     400, 400, 5},
    {"ReflectInPoint", [](TGCircle& c) { c.ReflectInPoint(0, 0); }, -10, -20, 5},
    {"ReflectInLine", [](TGCircle& c) { c.ReflectInLine(0, 0, 0, 1); }, -10, 20, 5},
    {"ReflectUndefined",
     [](TGCircle& c) {
       c.Defined = false;
       c.ReflectInLine(0, 0, 0, 1);
     },
     10, 20, 5},
    {"ReflectInDegenerateLine", [](TGCircle& c) { c.ReflectInLine(1, 1, 1, 1); }, 10, 20, 5},
};

INSTANTIATE_TEST_SUITE_P(Whole, CircleTransform, ::testing::ValuesIn(kTransformCases),
                         [](const auto& info) { return info.param.name; });

// ---- Label ---------------------------------------------------------------

TEST(CircleLabel, DefaultSitsUpAndRightOfTheCircle) {
  LineScene s;
  TGCircle& circle = s.FreeCircle(100, 100, 20);
  // 3.14 rather than pi puts it a hair off the exact diagonal.
  EXPECT_NEAR(circle.LabelX(), 121.2216, 1e-3);
  EXPECT_NEAR(circle.LabelY(), 78.7952, 1e-3);
}

struct LabelMoveCase {
  std::string name;
  int mx, my;
  bool labelControl;
  bool accepted;
  double labelX, labelY;  // where the label is afterwards
};

class CircleLabelMove : public ::testing::TestWithParam<LabelMoveCase> {};

// Circle at the origin, radius 20, label 10 outside at angle 0: at (30, 0),
// where the mouse was pressed.
TEST_P(CircleLabelMove, FollowsMouseAroundCircle) {
  const LabelMoveCase& c = GetParam();
  LineScene s;
  TGCircle& circle = s.FreeCircle(0, 0, 20);
  circle.LabelOffsetY = 0;
  circle.SavedX = 30;
  circle.SavedY = 0;
  CursorSpy cursor;
  circle.MoveLabel(c.mx, c.my, {.labelControl = c.labelControl, .cursor = &cursor});
  EXPECT_NEAR(circle.LabelX(), c.labelX, 0.01);
  EXPECT_NEAR(circle.LabelY(), c.labelY, 0.01);
  EXPECT_EQ(cursor.calls, c.accepted ? 0 : 1);
  EXPECT_EQ(circle.SavedX, c.accepted ? c.mx : 30);
  if (!c.accepted) {
    EXPECT_EQ(cursor.lastX, 30);
    EXPECT_EQ(cursor.lastY, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Moves, CircleLabelMove,
                         ::testing::Values(LabelMoveCase{"UpAround", 30, -30, true, true, 30, -30},
                                           LabelMoveCase{"DownAround", 0, 35, true, true, 0, 35},
                                           LabelMoveCase{"TooFarOut", 70, 0, true, false, 30, 0},
                                           LabelMoveCase{"FarOutWithoutControl", 70, 0, false, true,
                                                         70, 0},
                                           LabelMoveCase{"OntoTheCentre", 0, 0, true, true, 0, 0}),
                         [](const auto& info) { return info.param.name; });

// ---- Incident points ---------------------------------------------------

struct IncidentCase {
  int method;
  std::vector<int> parentsOnCircle;
};

class CircleIncident : public ::testing::TestWithParam<IncidentCase> {};

TEST_P(CircleIncident, ChildrenOnItThenParentsItPassesThrough) {
  LineScene s;
  std::vector<TGObject*> parents = {&s.Point(0, 0), &s.Point(10, 0), &s.Point(0, 10)};
  if (GetParam().method == 201) parents.pop_back();
  TGCircle& circle = s.Circle(GetParam().method, parents);
  TGPoint& onIt = s.ChildPoint(2, {&circle});
  TGPoint& cut = s.ChildPoint(4, {&s.FreeLine(-20, 0, 20, 0), &circle});
  s.ChildPoint(11, {&circle});  // its centre does not lie on it
  circle.RebuildIncident();
  std::vector<TGObject*> expected = {&onIt, &cut};
  for (int i : GetParam().parentsOnCircle) expected.push_back(parents[i]);
  EXPECT_EQ(circle.Incident, expected);
}

INSTANTIATE_TEST_SUITE_P(Methods, CircleIncident,
                         ::testing::Values(IncidentCase{201, {1}}, IncidentCase{202, {}},
                                           IncidentCase{203, {0, 1, 2}}),
                         [](const auto& info) { return std::to_string(info.param.method); });

}  // namespace
}  // namespace zelmora
