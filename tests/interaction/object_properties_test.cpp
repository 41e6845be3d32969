#include "interaction/object_properties.h"

#include <gtest/gtest.h>

#include "support/line_scene.h"

namespace zelmora {
namespace {

using testing::LineScene;

enum class Shape { kPoint, kFullLine, kSegment, kRay, kCircle };

// One object of `shape` in a fresh drawing: black, EndsOff on.
TGObject& Make(LineScene& scene, Shape shape) {
  switch (shape) {
    case Shape::kPoint:
      return scene.Point(10, 10);
    case Shape::kFullLine:
      return scene.FreeLine(0, 0, 10, 0);
    case Shape::kSegment:
    case Shape::kRay: {
      TGLine& line = scene.FreeLine(0, 0, 10, 0);
      line.Bounded1 = true;
      line.Bounded2 = shape == Shape::kSegment;
      return line;
    }
    case Shape::kCircle:
      return scene.FreeCircle(0, 0, 5);
  }
  return scene.Point(0, 0);
}

struct ApplyCase {
  const char* name;
  Shape shape;
  int storedWidth;
  int storedStyle;
  ObjectProperties confirmed;
  ApplyResult result;
  // Expected afterwards.
  std::string nameAfter;
  int widthAfter;
  int styleAfter;
  bool endsOffAfter;
};

ObjectProperties Values(std::string name, int width, int style, bool endsOff) {
  ObjectProperties v;
  v.name = std::move(name);
  v.width = width;
  v.penStyle = style;
  v.endsOff = endsOff;
  return v;
}

class ApplyPropertiesTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyPropertiesTest, WritesWhatTheDialogMayChange) {
  const ApplyCase& c = GetParam();
  LineScene scene;
  TGObject& object = Make(scene, c.shape);
  object.Name = "A1";
  object.Width = c.storedWidth;
  object.PenStyle = c.storedStyle;
  object.NameVisible = object.MustDraw = false;
  scene.list.modified = false;

  EXPECT_EQ(ApplyProperties(scene.list, object.Index(), c.confirmed), c.result);
  EXPECT_EQ(object.Name, c.nameAfter);
  EXPECT_EQ(object.Width, c.widthAfter);
  EXPECT_EQ(object.PenStyle, c.styleAfter);
  if (object.Kind() == kLineKind) {
    EXPECT_EQ(static_cast<TGLine&>(object).EndsOff, c.endsOffAfter);
  }
  EXPECT_EQ(scene.list.modified, c.result == ApplyResult::kChanged);
}

const ApplyCase kApplyCases[] = {
    {"unchanged", Shape::kSegment, 1, 2, Values("A1", 1, 2, true), ApplyResult::kUnchanged, "A1", 1,
     2, true},
    {"long_name_cut", Shape::kPoint, 1, 0, Values("Треугольник12345", 1, 0, false),
     ApplyResult::kChanged, "Треугольник1", 1, 0, false},
    {"empty_name", Shape::kCircle, 1, 0, Values("", 1, 0, false), ApplyResult::kChanged, "", 1, 0,
     false},
    {"semicolon_refused", Shape::kPoint, 1, 0, Values("A;B", 3, 0, false),
     ApplyResult::kNameRefused, "A1", 1, 0, false},
    {"line_break_refused", Shape::kCircle, 1, 0, Values("A\nB", 3, 0, false),
     ApplyResult::kNameRefused, "A1", 1, 0, false},
    {"outside_charset_refused", Shape::kSegment, 1, 0, Values("A中", 3, 0, false),
     ApplyResult::kNameRefused, "A1", 1, 0, true},
    {"point_width_clamped", Shape::kPoint, 1, 0, Values("A1", 9, 0, false), ApplyResult::kChanged,
     "A1", 7, 0, false},
    {"line_width_clamped", Shape::kFullLine, 5, 0, Values("A1", 0, 0, true), ApplyResult::kChanged,
     "A1", 1, 0, true},
    {"point_keeps_its_pen_style", Shape::kPoint, 1, 3, Values("A1", 2, 0, false),
     ApplyResult::kChanged, "A1", 2, 3, false},
    {"wide_pen_made_solid", Shape::kCircle, 1, 1, Values("A1", 3, 1, false), ApplyResult::kChanged,
     "A1", 3, 0, false},
    {"thin_pen_keeps_dashes", Shape::kCircle, 3, 0, Values("A1", 1, 4, false),
     ApplyResult::kChanged, "A1", 1, 4, false},
    {"full_line_keeps_ends_off", Shape::kFullLine, 1, 0, Values("A1", 1, 0, false),
     ApplyResult::kUnchanged, "A1", 1, 0, true},
    {"segment_ends_off_written", Shape::kSegment, 1, 0, Values("A1", 1, 0, false),
     ApplyResult::kChanged, "A1", 1, 0, false},
    {"ray_ends_off_written", Shape::kRay, 1, 0, Values("A1", 1, 0, false), ApplyResult::kChanged,
     "A1", 1, 0, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, ApplyPropertiesTest, ::testing::ValuesIn(kApplyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyProperties, KeepsAnEarlierModifiedMarkWhenNothingChanged) {
  LineScene scene;
  TGObject& point = scene.Point(1, 1);
  scene.list.modified = true;
  EXPECT_EQ(ApplyProperties(scene.list, point.Index(), PropertiesShown(point)),
            ApplyResult::kUnchanged);
  EXPECT_TRUE(scene.list.modified);
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

TEST(PropertiesShown, BringsStoredValuesIntoWhatTheControlsOffer) {
  const struct {
    Shape shape;
    int width, style;
    int shownWidth, shownStyle;
  } rows[] = {
      {Shape::kPoint, 0, 0, 1, 0},    {Shape::kPoint, 12, 0, 7, 0}, {Shape::kSegment, 3, 2, 3, 0},
      {Shape::kCircle, 40, 1, 11, 0}, {Shape::kCircle, 1, 4, 1, 4}, {Shape::kFullLine, 1, 9, 1, 0},
  };
  for (const auto& row : rows) {
    LineScene scene;
    TGObject& object = Make(scene, row.shape);
    object.Width = row.width;
    object.PenStyle = row.style;
    const ObjectProperties shown = PropertiesShown(object);
    EXPECT_EQ(shown.width, row.shownWidth) << row.width;
    EXPECT_EQ(shown.penStyle, row.shownStyle) << row.width << " " << row.style;
  }
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
