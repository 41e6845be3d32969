#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/object_list.h"

namespace zelmora {
namespace {

// Adds objects by letter: P point, L line, C circle, G angle, D length.
std::vector<std::string> AddAndName(ObjectList& list, const std::string& kinds) {
  std::vector<std::string> names;
  for (char kind : kinds) {
    const int code = std::string("PLCGD").find(kind) + 1;
    names.push_back(list.AddOfKind(code)->Name);
  }
  return names;
}

struct NamingCase {
  std::string name;
  std::string pointPrefix, linePrefix, circlePrefix;
  std::string kinds;
  std::vector<std::string> expected;
};

class DefaultNameTest : public ::testing::TestWithParam<NamingCase> {};

TEST_P(DefaultNameTest, NamesNewObjectsByPrefixAndCounter) {
  const NamingCase& c = GetParam();
  ObjectList list;
  list.defaults.pointPrefix = c.pointPrefix;
  list.defaults.linePrefix = c.linePrefix;
  list.defaults.circlePrefix = c.circlePrefix;
  EXPECT_EQ(AddAndName(list, c.kinds), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultNameTest,
    ::testing::Values(
        NamingCase{
            "OneCounterPerKind", "A", "b", "S", "PLPCLP", {"A1", "b1", "A2", "S1", "b2", "A3"}},
        NamingCase{"ValuesAreUnnamedAndCountNothing", "A", "b", "S", "GPDL", {"", "A1", "", "b1"}},
        NamingCase{"PrefixesFromSettings", "Т", "пр", "Окр", "PLC", {"Т1", "пр1", "Окр1"}},
        NamingCase{"LongPrefixIsCut", "ABCDEFGHIJKLMN", "b", "S", "P", {"ABCDEFGHIJKL"}},
        // Twelve characters but 23 bytes: the counter is what gets cut.
        NamingCase{
            "CutCountsCharactersNotBytes",
            "Треугольник",
            "b",
            "S",
            "PPPPPPPPPP",
            {"Треугольник1", "Треугольник2", "Треугольник3", "Треугольник4", "Треугольник5",
             "Треугольник6", "Треугольник7", "Треугольник8", "Треугольник9", "Треугольник1"}}),
    [](const ::testing::TestParamInfo<NamingCase>& info) { return info.param.name; });

TEST(ObjectListCounters, DeletionNeverFreesANameAndClearingStartsAgain) {
  ObjectList list;
  AddAndName(list, "PPPLC");
  list.DeleteWithDescendants(2);
  list.DeleteWithDescendants(0);
  EXPECT_EQ(AddAndName(list, "PLC"), (std::vector<std::string>{"A4", "b2", "S2"}));

  list.Clear();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(AddAndName(list, "PLC"), (std::vector<std::string>{"A1", "b1", "S1"}));
}

TEST(ObjectListCreation, SharedFieldsComeFromTheSettings) {
  ObjectList list;
  list.defaults.colorIndex = 11;
  list.defaults.width = 3;
  AddAndName(list, "PLCGD");
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGObject& o = list[i];
    SCOPED_TRACE("kind " + std::to_string(o.Kind()));
    EXPECT_EQ(o.Kind(), static_cast<int>(i) + 1);
    EXPECT_EQ(o.Index(), static_cast<int>(i));
    EXPECT_EQ(o.Color, 0xFF0000u);  // palette entry 11, blue
    EXPECT_EQ(o.Width, 3);
    EXPECT_EQ(o.PenStyle, 0);
    EXPECT_EQ(o.Method, CodeOf(ConstructionMethod::FreePoint));
    EXPECT_EQ(o.Mark, 0);
    EXPECT_FALSE(o.MustDraw);
    EXPECT_TRUE(o.Defined);
    EXPECT_FALSE(o.Hidden);
    EXPECT_FALSE(o.MacroMark);
    EXPECT_TRUE(o.Parents.empty() && o.Children.empty() && o.Incident.empty());
  }
}

TEST(ObjectListCreation, EachClassStartsWithItsOwnValues) {
  ObjectList list;
  list.defaults.endsOff = false;
  list.defaults.pointNameVisible = false;
  list.defaults.lineNameVisible = true;
  list.defaults.circleNameVisible = false;

  const TGPoint& p = list.AddPoint();
  EXPECT_EQ(p.X, -10);
  EXPECT_EQ(p.Y, -10);
  EXPECT_EQ(p.LabelOffsetX, 10);
  EXPECT_EQ(p.LabelOffsetY, -10);
  EXPECT_FALSE(p.NameVisible);

  const TGLine& l = list.AddLine();
  EXPECT_EQ(std::vector<double>({l.X1, l.Y1, l.X2, l.Y2}), std::vector<double>({1, 1, 1, 2}));
  EXPECT_FALSE(l.Bounded1);
  EXPECT_FALSE(l.Bounded2);
  EXPECT_FALSE(l.EndsOff);
  EXPECT_EQ(l.LabelOffsetX, -10);
  EXPECT_EQ(l.LabelOffsetY, 10);
  EXPECT_TRUE(l.NameVisible);

  const TGCircle& c = list.AddCircle();
  EXPECT_EQ(std::vector<double>({c.CX, c.CY, c.R}), std::vector<double>({-10, -20, 1}));
  EXPECT_EQ(c.LabelOffsetX, 10);   // gap outside the circle line
  EXPECT_EQ(c.LabelOffsetY, -45);  // angle in degrees
  EXPECT_FALSE(c.NameVisible);

  for (const TGObject* value :
       {static_cast<TGObject*>(&list.AddAngle()), static_cast<TGObject*>(&list.AddLength())}) {
    EXPECT_TRUE(value->Name.empty());
    EXPECT_FALSE(value->NameVisible);
  }
  EXPECT_EQ(static_cast<const TGAngle&>(list[3]).Value, 1.0);
  EXPECT_EQ(static_cast<const TGLength&>(list[4]).Value, 1.0);
}

TEST(ObjectListCreation, UnknownKindCodesAddNothing) {
  ObjectList list;
  for (int code : {0, 8, -1, 1000}) EXPECT_EQ(list.AddOfKind(code), nullptr);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.AddPoint().Name, "A1");
  EXPECT_EQ(list.at(-1), nullptr);
  EXPECT_EQ(list.at(1), nullptr);
  EXPECT_EQ(list.at(0), &list[0]);
}

TGPoint& FreePoint(ObjectList& list, double x, double y) {
  TGPoint& p = list.AddPoint();
  p.X = x;
  p.Y = y;
  list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
  return p;
}

TEST(ObjectListComplete, LinksInPickOrderAndComputesTheNewObject) {
  ObjectList list;
  TGPoint& a = FreePoint(list, 10, 20);
  TGPoint& b = FreePoint(list, 70, 20);
  TGLine& other = list.AddLine();
  list.Complete(other, {&a, &b}, CodeOf(ConstructionMethod::LineThroughTwoPoints));
  list.ClearModified();

  TGLine& line = list.AddLine();
  list.Complete(line, {&b, &a}, CodeOf(ConstructionMethod::LineThroughTwoPoints));

  EXPECT_EQ(line.Parents, (std::vector<TGObject*>{&b, &a}));
  EXPECT_EQ(a.Children, (std::vector<TGObject*>{&other, &line}));
  EXPECT_EQ(line.Method, CodeOf(ConstructionMethod::LineThroughTwoPoints));
  EXPECT_TRUE(line.MustDraw);
  EXPECT_TRUE(line.Defined);
  EXPECT_EQ(std::vector<double>({line.X1, line.Y1, line.X2, line.Y2}),
            std::vector<double>({10, 20, 70, 20}));  // end 1 is the second pick
  EXPECT_TRUE(list.Modified());
}

// The lists are rebuilt while the new object's Method is still 0, so it and
// its parents learn of each other only at the next full rebuild (a deletion
// or a load); the intersections' choice of a common point depends on this.
TEST(ObjectListComplete, IncidenceOfTheNewObjectWaitsForTheNextRebuild) {
  ObjectList list;
  TGPoint& a = FreePoint(list, 10, 20);
  TGPoint& b = FreePoint(list, 70, 20);
  TGLine& line = list.AddLine();
  list.Complete(line, {&a, &b}, CodeOf(ConstructionMethod::LineThroughTwoPoints));
  EXPECT_TRUE(line.Incident.empty());
  EXPECT_TRUE(a.Incident.empty());

  FreePoint(list, 0, 0);
  list.DeleteWithDescendants(list.size() - 1);
  EXPECT_EQ(line.Incident, (std::vector<TGObject*>{&a, &b}));
  EXPECT_EQ(a.Incident, (std::vector<TGObject*>{&line}));
}

TEST(ObjectListDelete, APointThatLayOnACircleLeavesItsIncidentList) {
  ObjectList list;
  TGPoint& centre = FreePoint(list, 100, 100);
  TGPoint& through = FreePoint(list, 130, 100);
  TGCircle& circle = list.AddCircle();
  list.Complete(circle, {&centre, &through}, CodeOf(ConstructionMethod::CircleByCentreAndPoint));
  TGPoint& on = list.AddPoint();
  list.Complete(on, {&circle}, CodeOf(ConstructionMethod::PointOnCircle));
  FreePoint(list, 0, 0);
  list.DeleteWithDescendants(list.size() - 1);
  ASSERT_EQ(circle.Incident, (std::vector<TGObject*>{&on, &through}));

  list.DeleteWithDescendants(on.Index());

  EXPECT_EQ(circle.Incident, (std::vector<TGObject*>{&through}));
  EXPECT_TRUE(circle.Children.empty());
  EXPECT_EQ(list.size(), 3u);
}

TEST(ObjectListDelete, MidpointOfAPointAndItselfGoesWithThePoint) {
  ObjectList list;
  TGPoint& kept = FreePoint(list, 5, 5);
  TGPoint& p = FreePoint(list, 40, 60);
  TGPoint& mid = list.AddPoint();
  list.Complete(mid, {&p, &p}, CodeOf(ConstructionMethod::Midpoint));
  EXPECT_EQ(p.Children, (std::vector<TGObject*>{&mid, &mid}));
  EXPECT_EQ(mid.X, 40);
  EXPECT_EQ(mid.Y, 60);

  list.DeleteWithDescendants(mid.Index());
  EXPECT_TRUE(p.Children.empty());
  ASSERT_EQ(list.size(), 2u);

  list.DeleteWithDescendants(p.Index());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(&list[0], &kept);
}

TEST(ObjectListDropLast, RemovesOnlyTheTail) {
  ObjectList list;
  AddAndName(list, "PPP");
  list.DropLast(2);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Name, "A1");
  list.DropLast(5);
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace zelmora
