#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/construction_protocol.h"

namespace zelmora {
namespace {

// A drawing holding, for `method`, parents of the kinds it reads and then
// the object built on them.
std::vector<TGObject*> AddParents(ObjectList& list, const MethodInfo& method) {
  std::vector<TGObject*> parents;
  for (std::size_t slot = 0; slot < method.parents.size(); ++slot) {
    TGObject* parent = list.AddOfKind(method.ParentKind(slot));
    if (auto* angle = dynamic_cast<TGAngle*>(parent)) angle->Value = 37.5;
    if (auto* length = dynamic_cast<TGLength*>(parent)) length->Value = 120.25;
    parents.push_back(parent);
  }
  return parents;
}

TEST(ProtocolSentences, EveryMethodNamesEachOfItsParents) {
  std::set<std::string> seen;
  for (const MethodInfo& method : kMethods) {
    SCOPED_TRACE(Number(method.code));
    ObjectList list;
    const std::vector<TGObject*> parents = AddParents(list, method);
    TGObject* object = list.AddOfKind(method.kind);
    list.Complete(*object, parents, method.code);
    const std::string sentence = DescribeConstruction(*object);
    EXPECT_EQ(sentence.find('{'), std::string::npos) << sentence;
    EXPECT_EQ(sentence.find('?'), std::string::npos) << sentence;
    for (const TGObject* parent : parents) {
      EXPECT_NE(sentence.find(ProtocolNameOf(*parent)), std::string::npos)
          << sentence << " lacks " << ProtocolNameOf(*parent);
    }
    EXPECT_TRUE(seen.insert(sentence).second) << "two methods read alike: " << sentence;
  }
}

struct LineCase {
  std::string name;
  ConstructionMethod method;
  std::vector<std::pair<double, double>> points;  // free points, then the object
  std::string expected;
};

class ProtocolLineTest : public ::testing::TestWithParam<LineCase> {};

// Three free points, then one object built on them by the case's method.
TEST_P(ProtocolLineTest, ReadsAsATeacherWritesIt) {
  const LineCase& c = GetParam();
  ObjectList list;
  std::vector<TGObject*> points;
  for (auto [x, y] : c.points) {
    TGPoint& p = list.AddPoint();
    p.X = x;
    p.Y = y;
    list.Complete(p, {}, Info(ConstructionMethod::FreePoint).code);
    points.push_back(&p);
  }
  const MethodInfo& method = Info(c.method);
  TGObject* object = list.AddOfKind(method.kind);
  points.resize(method.parents.size());
  list.Complete(*object, points, method.code);
  const std::vector<ProtocolRow> rows = BuildProtocol(list);
  EXPECT_EQ(ProtocolLine(rows.back()), c.expected);
  EXPECT_EQ(ProtocolLine(rows.front()), "1. Свободная точка: точка A1");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProtocolLineTest,
    ::testing::Values(
        LineCase{"Midpoint",
                 ConstructionMethod::Midpoint,
                 {{0, 0}, {10, 0}},
                 "3. Середина отрезка A1A2: точка A3"},
        LineCase{"Segment",
                 ConstructionMethod::Segment,
                 {{0, 0}, {10, 0}},
                 "3. Отрезок A1A2: отрезок b1"},
        LineCase{"Ray", ConstructionMethod::Ray, {{0, 0}, {10, 0}}, "3. Луч A1A2: луч b1"},
        LineCase{"Line",
                 ConstructionMethod::LineThroughTwoPoints,
                 {{0, 0}, {10, 0}},
                 "3. Прямая через точки A1 и A2: прямая b1"},
        LineCase{"CircleThroughThree",
                 ConstructionMethod::CircleThroughThreePoints,
                 {{0, 0}, {10, 0}, {0, 10}},
                 "4. Окружность через точки A1, A2 и A3: окружность S1"},
        // Three points on one line have no circle through them.
        LineCase{"Undefined",
                 ConstructionMethod::CircleThroughThreePoints,
                 {{0, 0}, {10, 0}, {20, 0}},
                 "4. Окружность через точки A1, A2 и A3: окружность S1 (сейчас не существует)"}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(Protocol, RowsFollowTheDrawingAndNameTheParents) {
  ObjectList list;
  TGPoint& a = list.AddPoint();
  list.Complete(a, {}, Info(ConstructionMethod::FreePoint).code);
  TGLine& line = list.AddLine();
  list.Complete(line, {}, Info(ConstructionMethod::FreeLine).code);
  TGAngle& angle = list.AddAngle();
  angle.Value = 30;
  TGLine& turned = list.AddLine();
  list.Complete(turned, {&a, &line, &angle}, Info(ConstructionMethod::LineAtConstantAngle).code);
  TGObject& lost = list.AddPoint();
  lost.Method = MethodCode{42};  // a method no version of the program had
  const std::vector<ProtocolRow> rows = BuildProtocol(list);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(ProtocolLine(rows[2]), "3. Угол 30°: угол");
  EXPECT_EQ(rows[3].how, "Прямая через точку A1 под углом 30° к прямой b1");
  EXPECT_EQ(rows[3].parents, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(rows[3].parentNames, "A1, b1, 30°");
  EXPECT_EQ(rows[4].how, "Неизвестный способ построения 42");
}

}  // namespace
}  // namespace zelmora
