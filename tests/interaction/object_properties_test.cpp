#include "interaction/object_properties.h"

#include <gtest/gtest.h>

#include "support/line_scene.h"

// The dialogs' own tests drive every control; these cover what no control
// can produce: names past 12 characters, widths outside the slider, a point's
// pen style, and the bookkeeping around a confirmation.
namespace zelmora {
namespace {

using testing::LineScene;

struct ApplyCase {
  const char* name;
  bool point;  // else a circle
  std::string typed;
  int width;
  ApplyResult result;
  std::string nameAfter;
  int widthAfter;
  friend void PrintTo(const ApplyCase& c, std::ostream* out) { *out << c.name; }
};

class ApplyPropertiesTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyPropertiesTest, WritesWhatTheDialogMayChange) {
  const ApplyCase& c = GetParam();
  LineScene scene;
  TGObject& object =
      c.point ? static_cast<TGObject&>(scene.Point(1, 1)) : scene.FreeCircle(0, 0, 5);
  object.Name = "A1";
  object.PenStyle = 3;
  scene.list.ClearModified();
  ObjectProperties values = PropertiesShown(object);
  values.name = c.typed;
  values.width = c.width;
  values.penStyle = 3;

  EXPECT_EQ(ApplyProperties(scene.list, object.Index(), values), c.result);
  EXPECT_EQ(object.Name, c.nameAfter);
  EXPECT_EQ(object.Width, c.widthAfter);
  // A point keeps a pen style its dialog does not show; a wide circle is solid.
  EXPECT_EQ(object.PenStyle, c.point || c.widthAfter < 2 ? 3 : 0);
  EXPECT_EQ(scene.list.Modified(), c.result == ApplyResult::kChanged);
}

const ApplyCase kApplyCases[] = {
    {"unchanged", true, "A1", 1, ApplyResult::kUnchanged, "A1", 1},
    {"long_name_cut", true, "Треугольник12345", 1, ApplyResult::kChanged, "Треугольник1", 1},
    {"point_width_clamped", true, "A1", 9, ApplyResult::kChanged, "A1", 7},
    {"circle_width_clamped", false, "A1", 40, ApplyResult::kChanged, "A1", 11},
    {"name_refused", false, "A\nB", 3, ApplyResult::kNameRefused, "A1", 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, ApplyPropertiesTest, ::testing::ValuesIn(kApplyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyProperties, KeepsAnEarlierModifiedMarkAndAMissingObject) {
  LineScene scene;
  TGObject& point = scene.Point(1, 1);
  scene.list.MarkModified();
  EXPECT_EQ(ApplyProperties(scene.list, point.Index(), PropertiesShown(point)),
            ApplyResult::kUnchanged);
  EXPECT_TRUE(scene.list.Modified());
  EXPECT_EQ(ApplyProperties(scene.list, 5, PropertiesShown(point)), ApplyResult::kNoObject);
}

// A projection beyond a segment's end exists only while the segment counts
// as a whole line; switching that off must make it vanish at once.
TEST(ApplyProperties, EndsOffChangeRecomputesWhatIsBuiltOnTheLine) {
  LineScene scene;
  TGPoint& a = scene.Point(0, 0);
  TGPoint& b = scene.Point(10, 0);
  TGLine& segment = scene.Line(105, {&a, &b});
  segment.EndsOff = true;
  TGPoint& q = scene.Point(20, 5);
  TGPoint& foot = scene.ChildPoint(8, {&q, &segment});
  ASSERT_TRUE(foot.Defined);
  ObjectProperties values = PropertiesShown(segment);
  values.endsOff = false;
  EXPECT_EQ(ApplyProperties(scene.list, segment.Index(), values), ApplyResult::kChanged);
  EXPECT_FALSE(foot.Defined);
}

// What the object list window offers and what "Свойства объекта" opens.
TEST(ListedObjects, PointsLinesAndCirclesThatAreNotHidden) {
  LineScene scene;
  scene.Point(1, 1);                        // 0
  scene.Angle(30);                          // 1
  scene.FreeLine(0, 0, 1, 1);               // 2
  scene.list.AddLength();                   // 3
  scene.FreeCircle(0, 0, 3).Hidden = true;  // 4
  scene.Point(2, 2).MustDraw = false;       // 5
  scene.FreeCircle(5, 5, 1);                // 6
  EXPECT_EQ(ListedObjects(scene.list), (std::vector<int>{0, 2, 5, 6}));

  const std::optional<int> none;
  const std::optional<int> expected[] = {1, none, 2, none, none, 1, 3};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(PropertiesDialogKind(scene.list, i), expected[i]) << i;
  EXPECT_EQ(PropertiesDialogKind(scene.list, -1), none);
}

}  // namespace
}  // namespace zelmora
