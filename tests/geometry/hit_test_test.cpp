#include <gtest/gtest.h>

#include <string>

#include "geometry/hit_test.h"
#include "geometry/object_list.h"
#include "support/recording_canvas.h"

namespace zelmora {
namespace {

// A free point at (100, 100) named "A1": with the test canvas its label box
// spans x 110..124 and y 90..106 (offset 10, -10; 7 pixels a byte, 16 high).
struct HitCase {
  std::string name;
  double x, y;
  bool expected;
  bool mustDraw = true;
  bool defined = true;
  bool hidden = false;
  bool nameVisible = true;
  bool showAll = false;
  int width = 1;
  int feeling = 5;
};

class PointHitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(PointHitTest, TakesThePointOrItsLabelOnlyWhenItIsShown) {
  const HitCase& c = GetParam();
  ObjectList list;
  TGPoint& point = list.AddPoint();
  point.X = 100;
  point.Y = 100;
  point.MustDraw = c.mustDraw;
  point.Defined = c.defined;
  point.Hidden = c.hidden;
  point.NameVisible = c.nameVisible;
  point.Width = c.width;
  testing::RecordingCanvas canvas;
  EXPECT_EQ(HitTest(point, c.x, c.y, canvas, {.showAll = c.showAll, .feeling = c.feeling}),
            c.expected);
}

constexpr double kLabelX = 115, kLabelY = 98;  // inside the label box, far from the point

INSTANTIATE_TEST_SUITE_P(
    Cases, PointHitTest,
    ::testing::Values(
        HitCase{.name = "OnThePoint", .x = 100, .y = 100, .expected = true},
        HitCase{.name = "JustInsideTolerance", .x = 105.99, .y = 100, .expected = true},
        HitCase{.name = "AtToleranceIsAMiss", .x = 106, .y = 100, .expected = false},
        HitCase{.name = "DiagonalAtTolerance", .x = 103, .y = 104, .expected = false, .feeling = 4},
        HitCase{.name = "WidthWidensTolerance", .x = 107.9, .y = 100, .expected = true, .width = 3},
        HitCase{.name = "FeelingWidensTolerance",
                .x = 100,
                .y = 115.9,
                .expected = true,
                .feeling = 15},
        HitCase{
            .name = "NotDrawnIsMissed", .x = 100, .y = 100, .expected = false, .mustDraw = false},
        HitCase{.name = "NotDrawnIsHitWithShowAll",
                .x = 100,
                .y = 100,
                .expected = true,
                .mustDraw = false,
                .showAll = true},
        HitCase{.name = "UndefinedIsMissedEvenWithShowAll",
                .x = 100,
                .y = 100,
                .expected = false,
                .defined = false,
                .showAll = true},
        HitCase{.name = "HiddenIsMissedEvenWithShowAll",
                .x = 100,
                .y = 100,
                .expected = false,
                .hidden = true,
                .showAll = true},
        HitCase{.name = "LabelIsHit", .x = kLabelX, .y = kLabelY, .expected = true},
        HitCase{.name = "LabelOfNotDrawnIsMissedEvenWithShowAll",
                .x = kLabelX,
                .y = kLabelY,
                .expected = false,
                .mustDraw = false,
                .showAll = true},
        HitCase{.name = "LabelOfHiddenIsMissed",
                .x = kLabelX,
                .y = kLabelY,
                .expected = false,
                .hidden = true,
                .showAll = true},
        HitCase{.name = "InvisibleNameIsMissed",
                .x = kLabelX,
                .y = kLabelY,
                .expected = false,
                .nameVisible = false},
        HitCase{.name = "LabelLeftEdgeIsAMiss", .x = 110, .y = kLabelY, .expected = false},
        HitCase{.name = "LabelRightEdgeIsAMiss", .x = 124, .y = kLabelY, .expected = false},
        HitCase{.name = "LabelJustInsideRight", .x = 123.9, .y = kLabelY, .expected = true},
        HitCase{.name = "LabelTopEdgeIsAMiss", .x = kLabelX, .y = 90, .expected = false},
        HitCase{.name = "LabelBottomEdgeIsAMiss", .x = kLabelX, .y = 106, .expected = false},
        HitCase{.name = "LabelJustInsideBottom", .x = kLabelX, .y = 105.9, .expected = true}),
    [](const ::testing::TestParamInfo<HitCase>& info) { return info.param.name; });

TEST(ValueObjectHitTest, AnglesAndLengthsAreNeverHit) {
  ObjectList list;
  TGObject* values[] = {&list.AddAngle(), &list.AddLength()};
  testing::RecordingCanvas canvas;
  for (TGObject* value : values) {
    value->MustDraw = true;
    value->Width = 11;
    for (double x : {-1000.0, 0.0, 3.0, 500.0}) {
      EXPECT_FALSE(HitTest(*value, x, x, canvas, {.showAll = true, .feeling = 15}))
          << "kind " << value->Kind() << " at " << x;
    }
  }
}

}  // namespace
}  // namespace zelmora
