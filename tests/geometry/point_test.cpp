#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/graph.h"
#include "geometry/object_list.h"
#include "geometry/pixel.h"
#include "geometry/plane_rules.h"
#include "support/recording_canvas.h"

namespace zelmora {
namespace {

// One parent of a point under test, described in a table row and built fresh
// for every case: a free point, free line or segment, free circle or length.
struct Part {
  int kind;
  double a = 0, b = 0, c = 0, d = 0;
  bool bounded = false, endsOff = true, lost = false;
};
Part P(double x, double y) {
  return {kPointKind, x, y};
}
Part L(double x1, double y1, double x2, double y2) {
  return {kLineKind, x1, y1, x2, y2};
}
Part Seg(double x1, double y1, double x2, double y2, bool endsOff = false) {
  return {kLineKind, x1, y1, x2, y2, true, endsOff};
}
Part C(double cx, double cy, double r) {
  return {kCircleKind, cx, cy, r};
}
Part Len(double value) {
  return {kLengthKind, value};
}
Part Lost(Part part) {  // undefined, as a parent the point cannot use
  part.lost = true;
  return part;
}

// A drawing built the way the program builds it: free lines and circles get
// their coordinates directly, points are linked through ObjectList::Complete.
struct Scene {
  ObjectList list;

  TGObject& Build(const Part& part) {
    TGObject* object = list.AddOfKind(part.kind);
    if (auto* p = dynamic_cast<TGPoint*>(object)) p->X = part.a, p->Y = part.b;
    if (auto* l = dynamic_cast<TGLine*>(object)) {
      l->X1 = part.a, l->Y1 = part.b, l->X2 = part.c, l->Y2 = part.d;
      l->Bounded1 = l->Bounded2 = part.bounded;
      l->EndsOff = part.endsOff;
    }
    if (auto* c = dynamic_cast<TGCircle*>(object)) c->CX = part.a, c->CY = part.b, c->R = part.c;
    if (auto* v = dynamic_cast<TGLength*>(object)) v->Value = part.a;
    const MethodCode freeMethod[] = {{},
                                     CodeOf(ConstructionMethod::FreePoint),
                                     CodeOf(ConstructionMethod::FreeLine),
                                     CodeOf(ConstructionMethod::FreeCircle),
                                     {},
                                     {}};
    if (part.kind != kLengthKind) list.Complete(*object, {}, freeMethod[part.kind]);
    object->Defined = !part.lost;
    return *object;
  }
  std::vector<TGObject*> Build(const std::vector<Part>& parts) {
    std::vector<TGObject*> objects;
    for (const Part& part : parts) objects.push_back(&Build(part));
    return objects;
  }
  TGLine& Line(double x1, double y1, double x2, double y2) {
    return static_cast<TGLine&>(Build(L(x1, y1, x2, y2)));
  }
  TGCircle& Circle(double cx, double cy, double r) {
    return static_cast<TGCircle&>(Build(C(cx, cy, r)));
  }
  TGPoint& Free(double x, double y) { return Point(0, {}, x, y); }
  TGPoint& Point(int method, std::vector<TGObject*> parents, double x = 1, double y = 1) {
    TGPoint& p = list.AddPoint();
    p.X = x, p.Y = y;
    list.Complete(p, parents, MethodCode{method});
    return p;
  }
};

void ExpectAt(const TGPoint& p, double x, double y, bool defined = true) {
  EXPECT_EQ(p.Defined, defined);
  EXPECT_NEAR(p.X, x, 1e-6);
  EXPECT_NEAR(p.Y, y, 1e-6);
}

struct RecomputeCase {
  std::string name;
  int method;
  std::vector<Part> parents;
  double startX, startY;
  bool defined;
  double x, y;  // where the point stands afterwards
};

class PointRecompute : public ::testing::TestWithParam<RecomputeCase> {};

TEST_P(PointRecompute, PlacesPoint) {
  const RecomputeCase& c = GetParam();
  Scene s;
  const TGPoint& p = s.Point(c.method, s.Build(c.parents), c.startX, c.startY);
  ExpectAt(p, c.x, c.y, c.defined);
}

// An undefined point keeps where it stood (3, 4), except where the position
// is computed before an end check refuses it.
INSTANTIATE_TEST_SUITE_P(
    Methods, PointRecompute,
    ::testing::Values(
        RecomputeCase{"Free", 0, {}, 3, 4, true, 3, 4},
        RecomputeCase{"UnknownMethod", 57, {L(0, 0, 1, 1)}, 3, 4, true, 3, 4},
        RecomputeCase{"OnLineFoot", 1, {L(0, 0, 10, 0)}, 4, 7, true, 4, 0},
        RecomputeCase{"OnLostLine", 1, {Lost(L(0, 0, 10, 0))}, 3, 4, false, 3, 4},
        RecomputeCase{"OnDegenerateLine", 1, {L(5, 5, 5, 5)}, 3, 4, false, 3, 4},
        RecomputeCase{"OnSegmentHeldAtEnd2", 1, {Seg(0, 0, 10, 0)}, 15, 3, true, 10, 0},
        RecomputeCase{"OnSegmentHeldAtEnd1", 1, {Seg(0, 0, 10, 0)}, -5, 2, true, 0, 0},
        RecomputeCase{"OnSegmentEndsOff", 1, {Seg(0, 0, 10, 0, true)}, 15, 3, true, 15, 0},
        RecomputeCase{"OnLineGivenCircle", 1, {C(0, 0, 5)}, 3, 4, false, 3, 4},
        RecomputeCase{"OnCircleAlongRay", 2, {C(0, 0, 5)}, 6, 8, true, 3, 4},
        RecomputeCase{"OnCircleFromCentre", 2, {C(1, 2, 5)}, 1, 2, true, 1, 7},
        RecomputeCase{"OnLostCircle", 2, {Lost(C(0, 0, 5))}, 3, 4, false, 3, 4},
        RecomputeCase{"LinesCross", 3, {L(0, 0, 10, 10), L(0, 10, 10, 0)}, 3, 4, true, 5, 5},
        RecomputeCase{"ParallelLines", 3, {L(0, 0, 10, 0), L(0, 5, 10, 5)}, 3, 4, false, 3, 4},
        RecomputeCase{
            "CrossingLostLine", 3, {L(0, 0, 1, 1), Lost(L(0, 1, 1, 0))}, 3, 4, false, 3, 4},
        RecomputeCase{
            "SegmentsSharingAnEnd", 3, {Seg(0, 0, 5, 5), Seg(5, 5, 10, 0)}, 3, 4, false, 5, 5},
        RecomputeCase{"SegmentsSharingAnEndEndsOff",
                      3,
                      {Seg(0, 0, 5, 5, true), Seg(5, 5, 10, 0, true)},
                      3,
                      4,
                      true,
                      5,
                      5},
        RecomputeCase{
            "CrossingPastSecondSegment", 3, {L(0, 0, 10, 10), Seg(0, 10, 2, 8)}, 3, 4, false, 5, 5},
        RecomputeCase{"CrossingWithoutSecondLine", 3, {L(0, 0, 1, 1)}, 3, 4, false, 3, 4},
        RecomputeCase{"CrossingLineAndCircle", 3, {L(0, 0, 1, 1), C(0, 0, 5)}, 3, 4, false, 3, 4},
        RecomputeCase{"Projection", 8, {P(3, 7), L(0, 0, 10, 0)}, 3, 4, true, 3, 0},
        RecomputeCase{"ProjectionPastSegmentEnd", 8, {P(3, 7), Seg(0, 0, 2, 0)}, 3, 4, false, 3, 0},
        RecomputeCase{"ProjectionOnDegenerateLine", 8, {P(3, 7), L(2, 2, 2, 2)}, 3, 4, false, 3, 4},
        RecomputeCase{
            "ProjectionOfLostPoint", 8, {Lost(P(3, 7)), L(0, 0, 10, 0)}, 3, 4, false, 3, 4},
        RecomputeCase{"Midpoint", 9, {P(2, 4), P(6, 8)}, 3, 4, true, 4, 6},
        RecomputeCase{"MidpointOfLostPoint", 9, {P(2, 4), Lost(P(6, 8))}, 3, 4, false, 3, 4},
        RecomputeCase{"AtDistance", 10, {P(1, 1), P(4, 5), Len(10)}, 3, 4, true, 7, 9},
        RecomputeCase{"AtNegativeDistance", 10, {P(1, 1), P(4, 5), Len(-5)}, 3, 4, true, -2, -3},
        RecomputeCase{"AtZeroDistance", 10, {P(1, 1), P(4, 5), Len(0)}, 3, 4, true, 1, 1},
        RecomputeCase{"AtDistanceNoDirection", 10, {P(1, 1), P(1, 1), Len(10)}, 3, 4, false, 3, 4},
        RecomputeCase{"AtDistanceNoLength", 10, {P(1, 1), P(4, 5)}, 3, 4, false, 3, 4},
        RecomputeCase{"Centre", 11, {C(7, 8, 3)}, 3, 4, true, 7, 8},
        RecomputeCase{"CentreOfLostCircle", 11, {Lost(C(7, 8, 3))}, 3, 4, false, 3, 4}),
    [](const auto& info) { return info.param.name; });

// Both points of a line-circle (4, 5) or circle-circle (6, 7) pair. With
// `common`, a free point K at the first expected place is already incident to
// both parents: the first point sits on K, the second on the other crossing.
struct PairCase {
  std::string name;
  int firstMethod;
  std::vector<Part> parents;
  bool defined;
  double x1, y1, x2, y2;
  bool common = false;
};

class IntersectionPair : public ::testing::TestWithParam<PairCase> {};

TEST_P(IntersectionPair, PicksEachIntersection) {
  const PairCase& c = GetParam();
  Scene s;
  const auto parents = s.Build(c.parents);
  TGPoint& first = s.Point(c.firstMethod, parents);
  TGPoint& second = s.Point(c.firstMethod + 1, parents);
  if (c.common) {
    // Linking rebuilds the parents' lists, so K is entered afterwards.
    TGPoint& k = s.Free(c.x1, c.y1);
    parents[0]->Incident = {&k};
    parents[1]->Incident = {&k};
    first.Recompute();
    second.Recompute();
  }
  ExpectAt(first, c.x1, c.y1, c.defined);
  ExpectAt(second, c.x2, c.y2, c.defined);
}

const double kDiag = 5 / std::sqrt(2.0);

INSTANTIATE_TEST_SUITE_P(
    Cases, IntersectionPair,
    ::testing::Values(
        // Without a common point the first lies further along the line.
        PairCase{"Horizontal", 4, {L(0, 3, 10, 3), C(0, 0, 5)}, true, 4, 3, -4, 3},
        PairCase{"HorizontalReversed", 4, {L(10, 3, 0, 3), C(0, 0, 5)}, true, -4, 3, 4, 3},
        PairCase{"Slanted", 4, {L(-9, -9, 9, 9), C(0, 0, 5)}, true, kDiag, kDiag, -kDiag, -kDiag},
        PairCase{"SlantedReversed",
                 4,
                 {L(9, 9, -9, -9), C(0, 0, 5)},
                 true,
                 -kDiag,
                 -kDiag,
                 kDiag,
                 kDiag},
        PairCase{"Vertical", 4, {L(3, -10, 3, 10), C(0, 0, 5)}, true, 3, 4, 3, -4},
        PairCase{"VerticalReversed", 4, {L(3, 10, 3, -10), C(0, 0, 5)}, true, 3, -4, 3, 4},
        PairCase{"DegenerateLineActsVertical", 4, {L(3, 0, 3, 0), C(0, 0, 5)}, true, 3, -4, 3, 4},
        PairCase{"Tangent", 4, {L(-10, 5, 10, 5), C(0, 0, 5)}, true, 0, 5, 0, 5},
        PairCase{"Missing", 4, {L(-10, 6, 10, 6), C(0, 0, 5)}, false, 1, 1, 1, 1},
        PairCase{"VerticalMissing", 4, {L(6, -10, 6, 10), C(0, 0, 5)}, false, 1, 1, 1, 1},
        PairCase{"LostCircle", 4, {L(0, 3, 10, 3), Lost(C(0, 0, 5))}, false, 1, 1, 1, 1},
        PairCase{
            "ShortSegmentReachesNeither", 4, {Seg(-2, 3, 2, 3), C(0, 0, 5)}, false, 4, 3, -4, 3},
        PairCase{"SideBySide", 6, {C(0, 0, 5), C(6, 0, 5)}, true, 3, 4, 3, -4},
        PairCase{"Stacked", 6, {C(0, 0, 5), C(0, 6, 5)}, true, -4, 3, 4, 3},
        PairCase{"Touching", 6, {C(0, 0, 5), C(10, 0, 5)}, true, 5, 0, 5, 0},
        PairCase{"TouchingSlanted", 6, {C(0, 0, 5), C(6, 8, 5)}, true, 3, 4, 3, 4},
        PairCase{"Apart", 6, {C(0, 0, 5), C(20, 1, 5)}, false, 1, 1, 1, 1},
        PairCase{"ApartSideBySide", 6, {C(0, 0, 5), C(20, 0, 5)}, false, 1, 1, 1, 1},
        PairCase{"ConcentricEqual", 6, {C(0, 0, 5), C(0, 0, 5)}, false, 1, 1, 1, 1},
        PairCase{"ConcentricUnequal", 6, {C(0, 0, 5), C(0, 0, 3)}, false, 1, 1, 1, 1},
        PairCase{"CircleAndLine", 6, {C(0, 0, 5), L(0, 0, 1, 1)}, false, 1, 1, 1, 1},
        // With K; without it each first point below would be on the other crossing.
        PairCase{"KOnSlanted", 4, {L(3, 4, -5, 0), C(0, 0, 5)}, true, 3, 4, -5, 0, true},
        PairCase{"KOnSlantedOtherWay", 4, {L(-5, 0, 3, 4), C(0, 0, 5)}, true, -5, 0, 3, 4, true},
        PairCase{"KOnVertical", 4, {L(3, 4, 3, -20), C(0, 0, 5)}, true, 3, 4, 3, -4, true},
        PairCase{"KOnVerticalOtherWay", 4, {L(3, -4, 3, 20), C(0, 0, 5)}, true, 3, -4, 3, 4, true},
        PairCase{"KOnCirclesSideBySide", 6, {C(0, 0, 5), C(6, 0, 5)}, true, 3, -4, 3, 4, true},
        PairCase{"KOnCirclesStacked", 6, {C(0, 0, 5), C(0, 6, 5)}, true, 4, 3, -4, 3, true}),
    [](const auto& info) { return info.param.name; });

TEST(FindCommonPoint, LastQualifyingPairWinsAndSharedChildrenAreSkipped) {
  Scene s;
  TGLine& line = s.Line(0, 0, 10, 0);
  TGCircle& circle = s.Circle(0, 0, 5);
  TGPoint& p = s.Free(1, 1);
  TGPoint& q = s.Free(2, 2);
  line.Incident = {&p, &q};
  circle.Incident = {&q, &p};
  EXPECT_EQ(FindCommonPoint(line, circle), &q);
  line.Children = {&q};  // a child of one parent still counts
  EXPECT_EQ(FindCommonPoint(line, circle), &q);
  circle.Children = {&q};  // a child of both never does
  EXPECT_EQ(FindCommonPoint(line, circle), &p);
  circle.Incident.clear();
  EXPECT_EQ(FindCommonPoint(line, circle), nullptr);
}

// Needs the incident rules of lines and circles as well as the point's: a line
// through a point K that slides on a circle, rebuilt as after opening a file.
TEST(CommonPointEndToEnd, LineThroughPointOnCircle) {
  Scene s;
  TGCircle& circle = s.Circle(0, 0, 5);
  TGPoint& k = s.Point(2, {&circle}, 3, 4);
  TGPoint& q = s.Free(-5, 0);
  TGLine& line = s.list.AddLine();
  line.X1 = 3, line.Y1 = 4, line.X2 = -5, line.Y2 = 0;
  s.list.Complete(line, {&k, &q}, CodeOf(ConstructionMethod::LineThroughTwoPoints));
  TGPoint& first = s.Point(4, {&line, &circle});
  TGPoint& second = s.Point(5, {&line, &circle});
  for (std::size_t i = 0; i < s.list.size(); ++i) s.list[i].RebuildIncident();
  UpdateDescendants(circle);
  ExpectAt(first, 3, 4);
  ExpectAt(second, -5, 0);
}

TEST(PointIncident, HoldsWhatPassesThroughIt) {
  Scene s;
  TGPoint& p = s.Free(0, 0);
  TGPoint& other = s.Free(1, 1);
  struct Child {
    int kind, method, slot;  // slot: p's place among the child's parents
    bool incident;
  };
  const std::vector<Child> table = {
      {kLineKind, 101, 0, true},   {kLineKind, 105, 1, true},    {kLineKind, 104, 0, false},
      {kLineKind, 106, 0, true},   {kLineKind, 106, 2, false},   {kLineKind, 108, 1, true},
      {kLineKind, 108, 0, false},  {kLineKind, 109, 0, false},   {kCircleKind, 203, 2, true},
      {kCircleKind, 201, 1, true}, {kCircleKind, 201, 0, false}, {kCircleKind, 202, 0, false},
      {kPointKind, 9, 0, false}};
  std::vector<TGObject*> expected;
  for (const Child& c : table) {
    TGObject& child = *s.list.AddOfKind(c.kind);
    child.Method = MethodCode{c.method};
    child.Parents.assign(3, &other);
    child.Parents[c.slot] = &p;
    p.Children.push_back(&child);
    if (c.incident) expected.push_back(&child);
  }
  p.RebuildIncident();
  EXPECT_EQ(p.Incident, expected);
}

TEST(PointIncident, AddsParentsByMethodWhenPresent) {
  Scene s;
  TGLine& l1 = s.Line(0, 0, 10, 0);
  TGLine& l2 = s.Line(0, 0, 0, 10);
  TGPoint& q = s.Free(1, 1);
  TGPoint& crossing = s.Point(3, {&l1, &l2});
  TGPoint& foot = s.Point(8, {&q, &l1});
  TGPoint& middle = s.Point(9, {&q, &crossing});
  TGPoint& orphan = s.Point(3, {&l1});
  for (TGPoint* p : {&crossing, &foot, &middle, &orphan}) p->RebuildIncident();
  EXPECT_EQ(crossing.Incident, (std::vector<TGObject*>{&l1, &l2}));
  EXPECT_EQ(foot.Incident, (std::vector<TGObject*>{&l1}));
  EXPECT_TRUE(middle.Incident.empty());
  EXPECT_EQ(orphan.Incident, (std::vector<TGObject*>{&l1}));
}

TEST(PointDrag, FollowsItsConstruction) {
  Scene s;
  TGPoint& free = s.Free(0, 0);
  TGPoint& mid = s.Point(9, {&free, &s.Free(10, 0)});
  free.DragTo(20, 10);
  ExpectAt(free, 20, 10);
  ExpectAt(mid, 15, 5);

  TGPoint& crossing = s.Point(3, {&s.Line(0, 0, 10, 10), &s.Line(0, 10, 10, 0)});
  crossing.DragTo(50, 70);
  ExpectAt(crossing, 5, 5);

  TGPoint& slider = s.Point(2, {&s.Circle(0, 0, 5)}, 5, 0);
  slider.ShiftTo(0, 20);
  ExpectAt(slider, 0, 5);

  TGPoint& onSegment = s.Point(1, {&s.Build(Seg(0, 0, 10, 0))}, 5, 0);
  onSegment.DragTo(30, 4);
  ExpectAt(onSegment, 10, 0);
  TGPoint& onOpenSegment = s.Point(1, {&s.Build(Seg(0, 0, 10, 0, true))}, 5, 0);
  onOpenSegment.DragTo(30, 4);
  ExpectAt(onOpenSegment, 30, 0);
}

TEST(PointDrag, FollowsParentsThatMove) {
  Scene s;
  TGLine& turning = s.Line(0, 0, 10, 0);
  TGPoint& slider = s.Point(1, {&turning}, 4, 0);
  turning.X2 = 10, turning.Y2 = 10;
  UpdateDescendants(turning);
  ExpectAt(slider, 2, 2);

  TGLine& l1 = s.Line(0, 0, 10, 0);
  TGLine& l2 = s.Line(0, 5, 10, 5);
  TGPoint& crossing = s.Point(3, {&l1, &l2});
  EXPECT_FALSE(crossing.Defined);
  l2.X2 = 20, l2.Y2 = -5;
  UpdateDescendants(l2);
  ExpectAt(crossing, 10, 0);
}

struct DrawCase {
  std::string name;
  bool selected, blink;
  Color color;
  int glyphIndex;
  Color fontColor;
};

class PointDraw : public ::testing::TestWithParam<DrawCase> {};

TEST_P(PointDraw, GlyphAndLabel) {
  const DrawCase& c = GetParam();
  Scene s;
  TGPoint& p = s.Free(10.5, 20.5);
  p.Width = 3;
  p.Color = c.color;
  p.NameVisible = true;
  testing::RecordingCanvas canvas;
  p.Draw(canvas, c.selected, c.blink, {});
  ASSERT_EQ(canvas.calls.size(), 2u);
  const auto& glyph = canvas.calls[0];
  EXPECT_EQ(glyph.op, testing::RecordingCanvas::Op::Glyph);
  EXPECT_EQ(glyph.a, 6);   // 10.5 - 3 - 1, ties to even
  EXPECT_EQ(glyph.b, 16);  // 20.5 - 3 - 1
  EXPECT_EQ(glyph.glyphWidth, 3);
  EXPECT_EQ(glyph.glyphColorIndex, c.glyphIndex);
  const auto& label = canvas.calls[1];
  EXPECT_EQ(label.op, testing::RecordingCanvas::Op::Text);
  EXPECT_EQ(label.text, p.Name);
  EXPECT_EQ(label.a, 20);  // 20.5 rounds to even
  EXPECT_EQ(label.b, 10);
  EXPECT_EQ(label.fontColor, c.fontColor);
  EXPECT_TRUE(label.transparent);
  EXPECT_FALSE(canvas.BackgroundTransparent());  // restored
}

INSTANTIATE_TEST_SUITE_P(
    Colours, PointDraw,
    ::testing::Values(DrawCase{"Own", false, false, 0x008000, 2, 0x008000},
                      DrawCase{"Selected", true, false, 0x008000, 14, 0x0000FF},
                      DrawCase{"Blink", false, true, 0x008000, 15, 0xFFFFFF},
                      DrawCase{"BlinkWhileSelected", true, true, 0x008000, 15, 0xFFFFFF},
                      DrawCase{"OutsidePaletteDrawsBlack", false, false, 0x123456, 0, 0x123456}),
    [](const auto& info) { return info.param.name; });

TEST(PointDraw, OnlyWhatIsShown) {
  Scene s;
  TGPoint& p = s.Free(5, 5);
  p.NameVisible = false;
  testing::RecordingCanvas canvas;
  p.Draw(canvas, false, false, {});
  EXPECT_EQ(canvas.calls.size(), 1u);  // no label
  p.MustDraw = false;
  p.Draw(canvas, false, false, {});
  EXPECT_EQ(canvas.calls.size(), 1u);
  p.Draw(canvas, false, false, {.showAll = true});
  EXPECT_EQ(canvas.calls.size(), 2u);
  p.Hidden = true;
  p.Draw(canvas, false, false, {.showAll = true});
  p.Hidden = false;
  p.Defined = false;
  p.Draw(canvas, false, false, {.showAll = true});
  EXPECT_EQ(canvas.calls.size(), 2u);
}

TEST(PointDraw, WildValuesStayInPixelRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Scene s;
  TGLine& line = s.Line(nan, 0, inf, 1);
  TGLine& steep = s.Line(0, 0, 1e-300, 1e300);
  TGCircle& circle = s.Circle(inf, nan, -inf);
  TGCircle& huge = s.Circle(1e300, -1e300, 1e308);
  TGPoint& wild = s.Free(nan, -inf);
  TGPoint& far = s.Free(1e300, 1e300);
  TGObject& length = s.Build(Len(inf));
  // clang-format off
  const std::vector<std::pair<int, std::vector<TGObject*>>> builds = {
      {1, {&line}}, {1, {&steep}}, {2, {&circle}}, {2, {&huge}}, {3, {&line, &steep}},
      {4, {&steep, &huge}}, {5, {&line, &huge}}, {6, {&circle, &huge}}, {7, {&huge, &circle}},
      {8, {&wild, &steep}}, {9, {&wild, &far}}, {10, {&far, &wild, &length}},
      {10, {&wild, &far, &length}}, {11, {&huge}}};
  // clang-format on
  std::vector<TGPoint*> points = {&wild, &far};
  for (const auto& [method, parents] : builds)
    points.push_back(&s.Point(method, parents, inf, nan));
  for (TGPoint* p : points) {
    p->Width = 1000;
    p->Defined = true;
    testing::RecordingCanvas canvas;
    p->Draw(canvas, false, false, {});
    ASSERT_EQ(canvas.calls.size(), 2u);
    for (const auto& call : canvas.calls) {
      EXPECT_LE(std::abs(call.a), kMaxPixel);
      EXPECT_LE(std::abs(call.b), kMaxPixel);
    }
    EXPECT_EQ(canvas.calls[0].glyphWidth, 7);
  }
}

class CursorRecorder : public CursorPlacer {
 public:
  void PutCursorAt(double x, double y) override { placed.push_back({x, y}); }
  std::vector<std::pair<double, double>> placed;
};

TEST(PointLabel, StopsShortOf25UnitsOnlyUnderControl) {
  for (const bool control : {true, false}) {
    SCOPED_TRACE(control ? "LabelControl on" : "LabelControl off");
    Scene s;
    TGPoint& p = s.Free(100, 100);
    CursorRecorder cursor;
    p.SavedX = 100, p.SavedY = 100;  // the press position
    for (int x = 101; x <= 140; ++x) p.MoveLabel(x, 100, {control, &cursor});
    const double reach = std::hypot(p.LabelOffsetX, p.LabelOffsetY);
    if (control) {
      EXPECT_LT(reach, 25);
      EXPECT_GT(reach, 24);
      ASSERT_FALSE(cursor.placed.empty());
      EXPECT_EQ(cursor.placed.back().first, p.SavedX);
    } else {
      EXPECT_EQ(p.LabelOffsetX, 50);
      EXPECT_EQ(p.LabelOffsetY, -10);
      EXPECT_TRUE(cursor.placed.empty());
    }
    EXPECT_EQ(p.LabelX(), 100 + p.LabelOffsetX);
    EXPECT_EQ(p.LabelY(), 100 + p.LabelOffsetY);
  }
}

struct RotateCase {
  std::string name;
  double anchorX, anchorY;
  int mouseX, mouseY;
  double savedX, savedY, x, y;
};

class PointRotate : public ::testing::TestWithParam<RotateCase> {};

TEST_P(PointRotate, TurnsSavedPositionAboutCentre) {
  const RotateCase& c = GetParam();
  Scene s;
  TGPoint& p = s.Free(c.savedX, c.savedY);
  p.SavePosition();
  p.X = 7, p.Y = 8;  // where an earlier step of the same rotation left it
  p.RotateSaved(c.mouseX, c.mouseY, {c.anchorX, c.anchorY, 100, 100});
  ExpectAt(p, c.x, c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PointRotate,
    ::testing::Values(RotateCase{"QuarterTurn", 200, 100, 100, 200, 150, 100, 100, 150},
                      RotateCase{"HalfTurn", 200, 100, 0, 100, 130, 140, 70, 60},
                      RotateCase{"SavedAtCentre", 200, 100, 100, 200, 100, 100, 100, 100},
                      RotateCase{"RefusedMouseAtCentre", 200, 100, 100, 100, 150, 100, 7, 8},
                      RotateCase{"RefusedAnchorAtCentre", 100, 100, 100, 200, 150, 100, 7, 8}),
    [](const auto& info) { return info.param.name; });

TEST(PointTransform, WholeDrawingMoves) {
  Scene s;
  TGPoint& p = s.Free(3, 4);
  p.ScaleAbout(1, 2, 3);
  ExpectAt(p, 7, 8);
  p.ReflectInPoint(10, 10);
  ExpectAt(p, 13, 12);
  p.SavePosition();
  p.X = p.Y = 0;  // an earlier step of the same translation
  p.TranslateSaved(25, 40, {.anchorX = 20, .anchorY = 50});
  ExpectAt(p, 18, 2);
}

TEST(PointTransform, ReflectInLine) {
  Scene s;
  TGPoint& p = s.Free(3, 4);
  p.ReflectInLine(0, 0, 10, 0);
  ExpectAt(p, 3, -4);
  p.ReflectInLine(0, 0, 1, 1);
  ExpectAt(p, -4, 3);
  p.ReflectInLine(5, 5, 5, 5);  // no line to mirror in
  ExpectAt(p, -4, 3);
  p.Defined = false;
  p.ReflectInLine(0, 0, 10, 0);
  ExpectAt(p, -4, 3, false);
}

}  // namespace
}  // namespace zelmora
