#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/graph.h"
#include "geometry/tg_line.h"
#include "support/line_scene.h"
#include "support/recording_canvas.h"

namespace zelmora {
namespace {

using testing::CursorSpy;
using testing::LineScene;
using testing::RecordingCanvas;

constexpr int kW = 800, kH = 600;  // the main window's outer size in these tests

void MovePoint(TGPoint& p, double x, double y) {
  p.X = x;
  p.Y = y;
  UpdateDescendants(p);
}

// ---- Recompute: every method, defined and not -----------------------------

struct RecomputeCase {
  std::string name;
  std::function<TGLine&(LineScene&)> build;
  bool defined;
  double x1, y1, x2, y2;
  bool bounded1 = false, bounded2 = false;
};

class LineRecompute : public ::testing::TestWithParam<RecomputeCase> {};

TEST_P(LineRecompute, PlacesEndsAndDefinedFlag) {
  const RecomputeCase& c = GetParam();
  LineScene s;
  const TGLine& line = c.build(s);
  EXPECT_EQ(line.Defined, c.defined);
  EXPECT_NEAR(line.X1, c.x1, 1e-9);
  EXPECT_NEAR(line.Y1, c.y1, 1e-9);
  EXPECT_NEAR(line.X2, c.x2, 1e-9);
  EXPECT_NEAR(line.Y2, c.y2, 1e-9);
  EXPECT_EQ(line.Bounded1, c.bounded1);
  EXPECT_EQ(line.Bounded2, c.bounded2);
}

// Lines that could not be built keep their creation ends (1, 1)-(1, 2).
const RecomputeCase kRecomputeCases[] = {
    {"TwoPointsEndOneIsSecondPick",
     [](LineScene& s) -> TGLine& {
       return s.Line(101, {&s.Point(0, 0), &s.Point(10, 5)});
     },
     true, 10, 5, 0, 0},
    {"TwoCoincidingPointsUndefined",
     [](LineScene& s) -> TGLine& {
       return s.Line(101, {&s.Point(3, 3), &s.Point(3, 3)});
     },
     false, 3, 3, 3, 3},
    {"TwoPointsOneUndefined",
     [](LineScene& s) -> TGLine& {
       return s.Line(101, {&s.Point(0, 0), &s.UndefinedPoint()});
     },
     false, 1, 1, 1, 2},
    {"ParallelThroughPoint",
     [](LineScene& s) -> TGLine& {
       return s.Line(102, {&s.Point(5, 5), &s.FreeLine(0, 0, 10, 2)});
     },
     true, 5, 5, 15, 7},
    {"ParallelToUndefinedLine",
     [](LineScene& s) -> TGLine& {
       TGLine& reference = s.FreeLine(0, 0, 10, 2);
       reference.Defined = false;
       return s.Line(102, {&s.Point(5, 5), &reference});
     },
     false, 1, 1, 1, 2},
    {"PerpendicularEndOneIsFoot",
     [](LineScene& s) -> TGLine& {
       return s.Line(103, {&s.Point(5, -3), &s.FreeLine(0, 0, 10, 0)});
     },
     true, 5, 0, 5, -10},
    {"PerpendicularToDegenerateLine",
     [](LineScene& s) -> TGLine& {
       return s.Line(103, {&s.Point(5, -3), &s.FreeLine(4, 4, 4, 4)});
     },
     false, 1, 1, 1, 2},
    {"PerpendicularBisector",
     [](LineScene& s) -> TGLine& {
       return s.Line(104, {&s.Point(0, 0), &s.Point(10, 0)});
     },
     true, 5, 0, 5, -10},
    {"PerpendicularBisectorOfOnePoint",
     [](LineScene& s) -> TGLine& {
       return s.Line(104, {&s.Point(2, 2), &s.Point(2, 2)});
     },
     false, 1, 1, 1, 2},
    {"Segment",
     [](LineScene& s) -> TGLine& {
       return s.Line(105, {&s.Point(0, 0), &s.Point(4, 3)});
     },
     true, 4, 3, 0, 0, true, true},
    {"SegmentOfOnePointStaysDefined",
     [](LineScene& s) -> TGLine& {
       return s.Line(105, {&s.Point(6, 6), &s.Point(6, 6)});
     },
     true, 6, 6, 6, 6, true, true},
    {"SegmentWithUndefinedEnd",
     [](LineScene& s) -> TGLine& {
       return s.Line(105, {&s.UndefinedPoint(), &s.Point(4, 3)});
     },
     false, 1, 1, 1, 2},
    {"AngleOfThreePointsTurnsReference",
     // A right angle laid off from an upward reference points right.
     [](LineScene& s) -> TGLine& {
       return s.Line(106, {&s.Point(3, 4), &s.FreeLine(0, 0, 0, -5), &s.Point(10, 0),
                           &s.Point(0, 0), &s.Point(0, 10)});
     },
     true, 3, 4, 503, 4},
    {"AngleOfThreePointsDegenerateKeepsPlace",
     [](LineScene& s) -> TGLine& {
       TGPoint& arm = s.Point(10, 0);
       TGPoint& vertex = s.Point(0, 0);
       TGLine& line =
           s.Line(106, {&s.Point(3, 4), &s.FreeLine(0, 0, 10, 0), &arm, &vertex, &s.Point(0, 10)});
       MovePoint(arm, 0, 0);  // the arm collapses onto the vertex
       return line;
     },
     true, 3, 4, 3, 504},
    {"AngleOfThreePointsUndefinedVertex",
     [](LineScene& s) -> TGLine& {
       return s.Line(106, {&s.Point(3, 4), &s.FreeLine(0, 0, 10, 0), &s.Point(10, 0),
                           &s.UndefinedPoint(), &s.Point(0, 10)});
     },
     false, 1, 1, 1, 2},
    {"ConstantAngleNinetyPointsDown",
     [](LineScene& s) -> TGLine& {
       return s.Line(107, {&s.Point(10, 10), &s.FreeLine(0, 0, 10, 0), &s.Angle(90)});
     },
     true, 10, 10, 10, 510},
    {"ConstantAngleThirty",
     [](LineScene& s) -> TGLine& {
       return s.Line(107, {&s.Point(10, 10), &s.FreeLine(0, 0, 10, 0), &s.Angle(30)});
     },
     true, 10, 10, 10 + 500 * std::sqrt(3) / 2, 260},
    {"ConstantAngleToDegenerateLine",
     [](LineScene& s) -> TGLine& {
       return s.Line(107, {&s.Point(10, 10), &s.FreeLine(3, 3, 3, 3), &s.Angle(30)});
     },
     false, 1, 1, 1, 2},
    {"ConstantAngleWithoutAngleObject",
     [](LineScene& s) -> TGLine& {
       return s.Line(107, {&s.Point(10, 10), &s.FreeLine(0, 0, 10, 0), &s.Point(1, 1)});
     },
     false, 1, 1, 1, 2},
    {"BisectorRayOfThreePoints",
     [](LineScene& s) -> TGLine& {
       return s.Line(108, {&s.Point(10, 0), &s.Point(0, 0), &s.Point(0, 10)});
     },
     true, 0, 0, 250, 250, true},
    {"BisectorRayWithCollapsedArm",
     [](LineScene& s) -> TGLine& {
       return s.Line(108, {&s.Point(4, 4), &s.Point(4, 4), &s.Point(0, 10)});
     },
     false, 4, 4, 1, 2, true},
    {"Ray",
     [](LineScene& s) -> TGLine& {
       return s.Line(109, {&s.Point(1, 2), &s.Point(5, 2)});
     },
     true, 1, 2, 5, 2, true},
    {"RayThroughItsOwnStart",
     [](LineScene& s) -> TGLine& {
       return s.Line(109, {&s.Point(3, 3), &s.Point(3, 3)});
     },
     false, 3, 3, 3, 3, true},
    {"BisectorOfTwoLines",
     [](LineScene& s) -> TGLine& {
       return s.Line(110, {&s.FreeLine(0, 0, 10, 0), &s.FreeLine(5, -5, 5, 5)});
     },
     true, 5, 0, 255, -250},
    {"BisectorOfTwoLinesEitherDirection",
     [](LineScene& s) -> TGLine& {
       return s.Line(110, {&s.FreeLine(0, 0, 10, 0), &s.FreeLine(5, 5, 5, -5)});
     },
     true, 5, 0, 255, -250},
    {"BisectorOfParallelLines",
     [](LineScene& s) -> TGLine& {
       return s.Line(110, {&s.FreeLine(0, 0, 10, 0), &s.FreeLine(0, 5, 10, 5)});
     },
     false, 1, 1, 1, 2},
    {"AngleOfTwoLines",
     [](LineScene& s) -> TGLine& {
       return s.Line(111, {&s.Point(3, 4), &s.FreeLine(0, 0, 10, 0), &s.FreeLine(0, 0, 10, 0),
                           &s.FreeLine(0, 0, 0, 10)});
     },
     true, 3, 4, 3, 504},
    {"AngleOfTwoLinesTakenBelowStraight",
     // The second line pointing up gives the same angle as pointing down.
     [](LineScene& s) -> TGLine& {
       return s.Line(111, {&s.Point(3, 4), &s.FreeLine(0, 0, 10, 0), &s.FreeLine(0, 0, 10, 0),
                           &s.FreeLine(0, 10, 0, 0)});
     },
     true, 3, 4, 3, 504},
    {"AngleOfTwoLinesDegenerateKeepsPlace",
     [](LineScene& s) -> TGLine& {
       TGLine& second = s.FreeLine(0, 0, 0, 10);
       TGLine& line = s.Line(
           111, {&s.Point(3, 4), &s.FreeLine(0, 0, 10, 0), &s.FreeLine(0, 0, 10, 0), &second});
       second.X2 = second.X1;
       second.Y2 = second.Y1;
       UpdateDescendants(second);
       return line;
     },
     true, 3, 4, 3, 504},
    {"AngleOfTwoLinesUndefinedReference",
     [](LineScene& s) -> TGLine& {
       TGLine& reference = s.FreeLine(0, 0, 10, 0);
       reference.Defined = false;
       return s.Line(
           111, {&s.Point(3, 4), &reference, &s.FreeLine(0, 0, 10, 0), &s.FreeLine(0, 0, 0, 10)});
     },
     false, 1, 1, 1, 2},
    {"FreeLineKeepsItsData",
     [](LineScene& s) -> TGLine& {
       TGLine& line = s.FreeLine(1, 2, 3, 4);
       line.Recompute();
       return line;
     },
     true, 1, 2, 3, 4},
    // A damaged drawing: parents missing or of the wrong kind.
    {"CircleWherePointExpected",
     [](LineScene& s) -> TGLine& {
       return s.Line(101, {&s.FreeCircle(0, 0, 5), &s.Point(1, 1)});
     },
     false, 1, 1, 1, 2},
    {"ParentsInWrongOrder",
     [](LineScene& s) -> TGLine& {
       return s.Line(103, {&s.FreeLine(0, 0, 10, 0), &s.Point(5, -3)});
     },
     false, 1, 1, 1, 2},
    {"MissingSecondParent",
     [](LineScene& s) -> TGLine& { return s.Line(110, {&s.FreeLine(0, 0, 10, 0)}); }, false, 1, 1,
     1, 2},
    {"NoParentsAtAll", [](LineScene& s) -> TGLine& { return s.Line(106, {}); }, false, 1, 1, 1, 2},
};

INSTANTIATE_TEST_SUITE_P(Methods, LineRecompute, ::testing::ValuesIn(kRecomputeCases),
                         [](const auto& info) { return info.param.name; });

TEST(LineUpdate, FollowsParentsAwayAndBackToDefined) {
  LineScene s;
  TGPoint& a = s.Point(0, 0);
  TGPoint& b = s.Point(10, 0);
  TGLine& line = s.Line(101, {&a, &b});
  a.Defined = false;
  UpdateDescendants(a);
  EXPECT_FALSE(line.Defined);
  EXPECT_EQ(line.X1, 10);  // keeps its coordinates while undefined
  a.Defined = true;
  MovePoint(a, 0, 7);
  EXPECT_TRUE(line.Defined);
  EXPECT_EQ(line.X2, 0);
  EXPECT_EQ(line.Y2, 7);
}

// ---- The drawn part ------------------------------------------------------

// The line call of a free line drawn in the test window.
RecordingCanvas::Call DrawnFreeLine(double x1, double y1, double x2, double y2, bool bounded1,
                                    bool bounded2) {
  LineScene s;
  TGLine& line = s.FreeLine(x1, y1, x2, y2);
  line.Bounded1 = bounded1;
  line.Bounded2 = bounded2;
  RecordingCanvas canvas;
  line.Draw(canvas, false, false, {.windowWidth = kW, .windowHeight = kH});
  EXPECT_FALSE(canvas.calls.empty());
  if (canvas.calls.empty()) return {};
  EXPECT_EQ(canvas.calls.front().op, RecordingCanvas::Op::Line);
  return canvas.calls.front();
}

struct ScreenCase {
  std::string name;
  double x1, y1, x2, y2;
  bool bounded1, bounded2;
  int sx1, sy1, sx2, sy2;  // expected drawn start and end
};

class LineScreenEnds : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(LineScreenEnds, DrawsFromStartToEnd) {
  const ScreenCase& c = GetParam();
  const auto drawn = DrawnFreeLine(c.x1, c.y1, c.x2, c.y2, c.bounded1, c.bounded2);
  EXPECT_EQ(drawn.a, c.sx1);
  EXPECT_EQ(drawn.b, c.sy1);
  EXPECT_EQ(drawn.c, c.sx2);
  EXPECT_EQ(drawn.d, c.sy2);
}

const ScreenCase kScreenCases[] = {
    {"HorizontalLineSpansWindow", 100, 50, 300, 50, false, false, 0, 50, kW, 50},
    {"HorizontalLineRunningLeft", 300, 50, 100, 50, false, false, kW, 50, 0, 50},
    {"Diagonal45UsesTopAndBottom", 100, 100, 200, 200, false, false, 0, 0, 600, 600},
    {"SteepLine", 400, 100, 410, 200, false, false, 390, 0, 450, kH},
    {"RayRight", 400, 300, 500, 300, true, false, 400, 300, kW, 300},
    {"RayLeft", 400, 300, 300, 300, true, false, 400, 300, 0, 300},
    {"RayDown", 400, 300, 400, 400, true, false, 400, 300, 400, kH},
    {"RayUp", 400, 300, 400, 200, true, false, 400, 300, 400, 0},
    {"RayUpLeftSlanted", 400, 300, 300, 250, true, false, 400, 300, 0, 100},
    {"RayFromAboveWindowDown", 400, -50, 400, 0, true, false, 400, -50, 400, kH},
    // First point beyond the far edge: still drawn away from it through end 2.
    {"RayFromBelowWindowUp", 400, 700, 400, 650, true, false, 400, 700, 400, 0},
    {"RayFromRightOfWindowLeft", 900, 300, 800, 300, true, false, 900, 300, 0, 300},
    {"RayFromRightOfWindowAway", 900, 300, 1000, 300, true, false, 900, 300, 900, 300},
    {"SegmentRoundsItsEnds", 10.4, 20.6, 30.5, 40.5, true, true, 10, 21, 30, 40},
    {"SegmentOfOnePoint", 50, 60, 50, 60, true, true, 50, 60, 50, 60},
};

INSTANTIATE_TEST_SUITE_P(Shapes, LineScreenEnds, ::testing::ValuesIn(kScreenCases),
                         [](const auto& info) { return info.param.name; });

// Defining points as far out as a file may place them: the drawn part must
// still lie on the line they define and cross the window.
struct FarCase {
  std::string name;
  double x1, y1, x2, y2;
  bool bounded1, bounded2;
};

class LineThroughFarPoints : public ::testing::TestWithParam<FarCase> {};

TEST_P(LineThroughFarPoints, IsDrawnOnTheExactLine) {
  const FarCase& c = GetParam();
  const auto drawn = DrawnFreeLine(c.x1, c.y1, c.x2, c.y2, c.bounded1, c.bounded2);
  // The distance from the exact line, with 64 significant bits.
  auto offLine = [&](long double x, long double y) {
    const long double dx = (long double)c.x2 - c.x1, dy = (long double)c.y2 - c.y1;
    return std::abs(dx * (y - c.y1) - dy * (x - c.x1)) / std::hypot(dx, dy);
  };
  EXPECT_LT(offLine(drawn.a, drawn.b), 2) << drawn.a << "," << drawn.b;
  EXPECT_LT(offLine(drawn.c, drawn.d), 2) << drawn.c << "," << drawn.d;
  EXPECT_GT(std::hypot(drawn.c - drawn.a, drawn.d - drawn.b), 300);
  if (c.bounded1 && std::abs(c.x1) < kW) {
    EXPECT_EQ(std::pair(drawn.a, drawn.b), std::pair(400, 300));
  }
  if (c.bounded2 && std::abs(c.x2) < kW) {
    EXPECT_EQ(std::pair(drawn.c, drawn.d), std::pair(400, 300));
  }
}

const FarCase kFarCases[] = {
    {"LineFromFarLeftThroughWindow", -9e18, -3e18, 400, 300, false, false},
    {"LineBetweenFarCorners", -9e18, -9e18, 9e18, 9e18, false, false},
    {"LineBetweenFarPointsCrossingWindow", -9e18, -6.75e18, 9e18, 6.75e18, false, false},
    {"SegmentFromWindowToFarPoint", 400, 300, 9e18, 3e18, true, true},
    {"SegmentFromFarPointToWindow", -5e17, 7e17, 400, 300, true, true},
    {"SegmentBetweenFarPointsAcrossWindow", -9e18, -6.75e18, 9e18, 6.75e18, true, true},
    {"RayFromWindowTowardsFarPoint", 400, 300, -9e18, 5e18, true, false},
    {"RayFromFarPointThroughWindow", 9e18, -9e18, 400, 300, true, false},
    {"RayEndingInWindow", 400, 300, -1e17, 3e18, false, true},
};

INSTANTIATE_TEST_SUITE_P(Shapes, LineThroughFarPoints, ::testing::ValuesIn(kFarCases),
                         [](const auto& info) { return info.param.name; });

TEST(LineDraw, StraightAngleBisectorKeepsItsLastDrawing) {
  LineScene s;
  TGPoint& arm = s.Point(0, 10);
  TGLine& ray = s.Line(108, {&s.Point(10, 0), &s.Point(0, 0), &arm});
  RecordingCanvas canvas;
  const DrawContext window{.windowWidth = kW, .windowHeight = kH};
  ray.Draw(canvas, false, false, window);
  MovePoint(arm, -10, 0);  // the arms now cancel out
  ASSERT_TRUE(ray.Defined);
  ray.Draw(canvas, false, false, window);
  ASSERT_EQ(canvas.calls.size(), 4u);  // a line and a label each time
  const auto& before = canvas.calls[0];
  const auto& after = canvas.calls[2];
  EXPECT_EQ(after.a, 0);
  EXPECT_EQ(after.b, 0);
  EXPECT_EQ(after.c, before.c);
  EXPECT_EQ(after.d, before.d);
  EXPECT_TRUE(std::isfinite(ray.ScreenX2) && std::isfinite(ray.ScreenY2));
}

struct ColourCase {
  bool selected, blink;
  Color expected;
};

class LineDrawColour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(LineDrawColour, PenLabelAndBackgroundMode) {
  LineScene s;
  TGLine& line = s.FreeLine(100, 50, 300, 50);
  line.Name = "b1";
  line.NameVisible = true;
  line.Color = 0x008000;
  line.Width = 3;
  line.PenStyle = 2;
  RecordingCanvas canvas;
  line.Draw(canvas, GetParam().selected, GetParam().blink, {.windowWidth = kW, .windowHeight = kH});
  ASSERT_EQ(canvas.calls.size(), 2u);
  const auto& stroke = canvas.calls[0];
  EXPECT_EQ(stroke.penColor, GetParam().expected);
  EXPECT_EQ(stroke.penWidth, 3);
  EXPECT_EQ(stroke.penStyle, PenStyle::Dot);
  const auto& label = canvas.calls[1];
  EXPECT_EQ(label.op, RecordingCanvas::Op::Text);
  EXPECT_EQ(label.text, "b1");
  EXPECT_EQ(label.a, 90);  // left of and below end 1
  EXPECT_EQ(label.b, 60);
  EXPECT_EQ(label.fontColor, GetParam().expected);
  EXPECT_TRUE(label.transparent);
  EXPECT_FALSE(canvas.BackgroundTransparent());  // the mode the canvas had before
}

INSTANTIATE_TEST_SUITE_P(States, LineDrawColour,
                         ::testing::Values(ColourCase{false, false, 0x008000},
                                           ColourCase{true, false, kSelectedColor},
                                           ColourCase{true, true, kBlinkColor},
                                           ColourCase{false, true, kBlinkColor}));

TEST(LineDraw, OnlyShownLinesAreDrawn) {
  LineScene s;
  TGLine& line = s.FreeLine(100, 50, 300, 50);
  RecordingCanvas canvas;
  line.Defined = false;
  line.Draw(canvas, false, false, {.showAll = true, .windowWidth = kW, .windowHeight = kH});
  line.Defined = true;
  line.MustDraw = false;
  line.Draw(canvas, false, false, {.windowWidth = kW, .windowHeight = kH});
  EXPECT_TRUE(canvas.calls.empty());
  line.Draw(canvas, false, false, {.showAll = true, .windowWidth = kW, .windowHeight = kH});
  EXPECT_FALSE(canvas.calls.empty());
}

// ---- Distance ------------------------------------------------------------

struct DistanceCase {
  std::string name;
  bool bounded1, bounded2;
  double x, y, expected;
};

class LineDistance : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(LineDistance, MeasuresToWhatIsDrawn) {
  const DistanceCase& c = GetParam();
  LineScene s;
  TGLine& line = s.FreeLine(0, 0, 10, 0);
  line.Bounded1 = c.bounded1;
  line.Bounded2 = c.bounded2;
  EXPECT_NEAR(line.DistanceTo(c.x, c.y), c.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineDistance,
                         ::testing::Values(DistanceCase{"SegmentBeyondEnd2", true, true, 13, 4, 5},
                                           DistanceCase{"LineBeyondEnd2", false, false, 13, 4, 4},
                                           DistanceCase{"SegmentBeyondEnd1", true, true, -3, 4, 5},
                                           DistanceCase{"SegmentAlongside", true, true, 5, 3, 3},
                                           DistanceCase{"RayBehindStart", true, false, -3, 4, 5},
                                           DistanceCase{"RayAhead", true, false, 13, 4, 4},
                                           DistanceCase{"LineOnIt", false, false, 50, 0, 0}),
                         [](const auto& info) { return info.param.name; });

TEST(LineDistanceDegenerate, LineOfOnePointMeasuresToThatPoint) {
  LineScene s;
  EXPECT_NEAR(s.FreeLine(5, 5, 5, 5).DistanceTo(8, 9), 5, 1e-9);
}

// ---- Drag and shift ------------------------------------------------------

TEST(LineDrag, FreeLineTurnsAboutGrabPoint) {
  LineScene s;
  TGLine& line = s.FreeLine(0, 3, 10, 3);
  line.SavedX = 2;
  line.SavedY = 3;
  line.DragTo(2, 20);
  EXPECT_EQ(line.X1, 2);
  EXPECT_EQ(line.Y1, 3);
  EXPECT_EQ(line.X2, 2);
  EXPECT_EQ(line.Y2, 20);
  line.DragTo(2, 3);  // back onto the grab point: end 2 steps aside
  EXPECT_EQ(line.X2, 3);
  EXPECT_EQ(line.Y2, 3);
}

TEST(LineDrag, FreeLineShiftsParallelAndCarriesItsChildren) {
  LineScene s;
  TGLine& line = s.FreeLine(0, 0, 10, 0);
  TGLine& perpendicular = s.Line(103, {&s.Point(5, -3), &line});
  line.SavedX = 5;
  line.SavedY = 0;
  line.ShiftTo(7, 4);
  EXPECT_EQ(line.X1, 2);
  EXPECT_EQ(line.Y1, 4);
  EXPECT_EQ(line.X2, 12);
  EXPECT_EQ(line.Y2, 4);
  EXPECT_EQ(line.SavedX, 7);
  EXPECT_EQ(line.SavedY, 4);
  EXPECT_EQ(perpendicular.Y1, 4);  // its foot followed the moved line
}

TEST(LineDrag, ConstructedLineSnapsBack) {
  LineScene s;
  TGLine& line = s.Line(101, {&s.Point(0, 0), &s.Point(10, 5)});
  line.SavedX = 5;
  line.SavedY = 2;
  line.DragTo(40, 40);
  line.ShiftTo(60, 60);
  EXPECT_EQ(line.X1, 10);
  EXPECT_EQ(line.Y1, 5);
  EXPECT_EQ(line.X2, 0);
  EXPECT_EQ(line.Y2, 0);
}

// ---- Whole-drawing transforms ------------------------------------------

struct TransformCase {
  std::string name;
  std::function<void(TGLine&)> apply;
  double x1, y1, x2, y2;
};

class LineTransform : public ::testing::TestWithParam<TransformCase> {};

TEST_P(LineTransform, MovesBothEnds) {
  LineScene s;
  TGLine& line = s.FreeLine(10, 20, 30, 40);
  GetParam().apply(line);
  EXPECT_NEAR(line.X1, GetParam().x1, 1e-9);
  EXPECT_NEAR(line.Y1, GetParam().y1, 1e-9);
  EXPECT_NEAR(line.X2, GetParam().x2, 1e-9);
  EXPECT_NEAR(line.Y2, GetParam().y2, 1e-9);
}

const TransformCase kTransformCases[] = {
    {"ZoomTwiceAboutOrigin", [](TGLine& l) { l.ScaleAbout(0, 0, 2); }, 20, 40, 60, 80},
    {"ZoomHalfAboutPoint", [](TGLine& l) { l.ScaleAbout(10, 10, 0.5); }, 10, 15, 20, 25},
    {"TranslateFromSaved",
     [](TGLine& l) {
       l.SavePosition();
       l.X1 = l.Y1 = 0;  // an earlier step of the same translation
       l.X2 = 20;
       l.Y2 = 20;
       l.TranslateSaved(110, 95, {.anchorX = 100, .anchorY = 100});
     },
     20, 15, 40, 35},
    {"RotateQuarterTurn",
     [](TGLine& l) {
       l.X1 = 500;
       l.Y1 = 300;
       l.X2 = 400;  // exactly the centre: stays there
       l.Y2 = 300;
       l.SavePosition();
       l.RotateSaved(400, 400, {.anchorX = 500, .anchorY = 300, .centerX = 400, .centerY = 300});
     },
     400, 400, 400, 300},
    {"RotateWithMouseOnCentreDoesNothing",
     [](TGLine& l) {
       l.SavePosition();
       l.RotateSaved(400, 300, {.anchorX = 500, .anchorY = 300, .centerX = 400, .centerY = 300});
     },
     10, 20, 30, 40},
    {"ReflectInPoint", [](TGLine& l) { l.ReflectInPoint(0, 0); }, -10, -20, -30, -40},
    {"ReflectInLine", [](TGLine& l) { l.ReflectInLine(0, 0, 1, 0); }, 10, -20, 30, -40},
    {"ReflectInDegenerateLine", [](TGLine& l) { l.ReflectInLine(3, 3, 3, 3); }, 10, 20, 30, 40},
    {"ReflectUndefinedLine",
     [](TGLine& l) {
       l.Defined = false;
       l.ReflectInLine(0, 0, 1, 0);
     },
     10, 20, 30, 40},
};

INSTANTIATE_TEST_SUITE_P(Whole, LineTransform, ::testing::ValuesIn(kTransformCases),
                         [](const auto& info) { return info.param.name; });

// ---- Label ---------------------------------------------------------------

TEST(LineLabel, FollowsMouseWithinReach) {
  LineScene s;
  TGLine& line = s.FreeLine(100, 100, 200, 100);
  CursorSpy cursor;
  line.SavedX = 95;
  line.SavedY = 112;
  line.MoveLabel(100, 115, {.labelControl = true, .cursor = &cursor});
  EXPECT_EQ(line.LabelX(), 95);
  EXPECT_EQ(line.LabelY(), 113);
  line.MoveLabel(120, 130, {.labelControl = true, .cursor = &cursor});  // 25 or more away
  EXPECT_EQ(line.LabelX(), 95);
  EXPECT_EQ(cursor.calls, 1);
  EXPECT_EQ(cursor.lastX, 100);
  EXPECT_EQ(cursor.lastY, 115);
  line.MoveLabel(120, 130, {.labelControl = false, .cursor = &cursor});
  EXPECT_EQ(line.LabelX(), 115);
  EXPECT_EQ(line.LabelY(), 128);
}

// ---- Incident points ---------------------------------------------------

TEST(LineIncident, ChildrenOnItThenParentsItPassesThrough) {
  LineScene s;
  TGPoint& a = s.Point(0, 0);
  TGPoint& b = s.Point(10, 0);
  TGLine& segment = s.Line(105, {&a, &b});
  TGPoint& slider = s.ChildPoint(1, {&segment});
  TGPoint& crossing = s.ChildPoint(3, {&segment, &s.FreeLine(5, -5, 5, 5)});
  TGPoint& foot = s.ChildPoint(8, {&s.Point(4, 4), &segment});
  s.Line(102, {&s.Point(0, 9), &segment});  // a line built on it does not lie on it
  segment.RebuildIncident();
  EXPECT_EQ(segment.Incident, (std::vector<TGObject*>{&slider, &crossing, &foot, &a, &b}));
}

class LineIncidentParents : public ::testing::TestWithParam<MethodInfo> {};

// Parents of the kinds the method reads, in general position, so that no
// point lies on the line by accident of the figure.
TEST_P(LineIncidentParents, TakesOnlyThePointsItsMethodPassesThrough) {
  const MethodInfo& method = GetParam();
  LineScene s;
  const double points[][2] = {{1, 1}, {7, 2}, {3, 9}, {11, 5}, {4, 13}};
  std::vector<TGObject*> parents;
  for (std::size_t slot = 0; slot < method.parents.size(); ++slot) {
    const double x = points[slot][0], y = points[slot][1];
    switch (method.ParentKind(slot)) {
      case kPointKind:
        parents.push_back(&s.Point(x, y));
        break;
      case kLineKind:
        parents.push_back(&s.FreeLine(x, y, y, -x));
        break;
      default:
        parents.push_back(&s.Angle(30));
        break;
    }
  }
  TGLine& line = s.Line(Number(method.code), parents);
  line.RebuildIncident();
  std::vector<TGObject*> expected;
  for (std::size_t slot = 0; slot < parents.size(); ++slot) {
    if (method.PassesThroughParent(slot)) expected.push_back(parents[slot]);
  }
  EXPECT_EQ(line.Incident, expected);
}

INSTANTIATE_TEST_SUITE_P(Methods, LineIncidentParents, ::testing::ValuesIn([] {
                           std::vector<MethodInfo> built;
                           for (const MethodInfo& m : kMethods) {
                             if (m.kind == kLineKind && !m.parents.empty()) built.push_back(m);
                           }
                           return built;
                         }()),
                         [](const auto& info) { return std::to_string(Number(info.param.code)); });

}  // namespace
}  // namespace zelmora
