#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/graph.h"
#include "geometry/object_list.h"
#include "geometry/text_fields.h"
#include "geometry/whole_drawing.h"

namespace zelmora {
namespace {

constexpr double kPixelsPerCm = 96 / 2.54;

// A right triangle A(100, 100), B(400, 100), C(100, 500) with the segment AB
// (3), the circle about A through B (4), the line BC (5) and the line AC (6).
struct Triangle {
  ObjectList list;
  TGPoint &a = Point("A", 100, 100), &b = Point("B", 400, 100), &c = Point("C", 100, 500);
  TGLine& ab = Line(a, b, 105);
  TGCircle& circle = Circle();
  TGLine& bc = Line(b, c, 101);
  TGLine& ac = Line(a, c, 101);

  TGPoint& Point(const char* name, double x, double y) {
    TGPoint& p = list.AddPoint();
    p.Name = name;
    p.X = x, p.Y = y;
    p.MustDraw = true;
    return p;
  }
  TGLine& Line(TGPoint& p, TGPoint& q, int method) {
    TGLine& l = list.AddLine();
    list.Complete(l, {&p, &q}, MethodCode{method});
    return l;
  }
  TGCircle& Circle() {
    TGCircle& s = list.AddCircle();
    list.Complete(s, {&a, &b}, CodeOf(ConstructionMethod::CircleByCentreAndPoint));
    return s;
  }
  TGMeasure& Measure(Measurement what, const std::vector<int>& parents) {
    std::vector<TGObject*> objects;
    for (int i : parents) objects.push_back(&list[static_cast<std::size_t>(i)]);
    TGMeasure& m = list.AddMeasure();
    list.Complete(m, objects, CodeOf(what));
    return m;
  }
};

struct MeasureCase {
  const char* name;
  Measurement what;
  std::vector<int> parents;
  double value;         // hand-computed, plane units or degrees
  double afterDrag;     // C dragged to (100, 200)
  const char* caption;  // two decimals for lengths, one for angles; centimetres
};

class MeasureTest : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(MeasureTest, ValueFollowsDragsAndZoomAsAUserExpects) {
  const MeasureCase& c = GetParam();
  Triangle t;
  TGMeasure& m = t.Measure(c.what, c.parents);
  m.Decimals = m.IsAngle() ? 1 : 2;
  ASSERT_TRUE(m.Defined && m.HasValue);
  EXPECT_NEAR(m.Value, c.value, 1e-9);
  EXPECT_EQ(m.Caption(kPixelsPerCm), c.caption);

  t.c.SavedX = 100, t.c.SavedY = 500;
  t.c.DragTo(100, 200);
  EXPECT_NEAR(m.Value, c.afterDrag, 1e-9);
  t.c.DragTo(100, 500);

  // Zoom 2: plane units double, centimetres and degrees stay.
  const std::string caption = m.Caption(kPixelsPerCm);
  ScaleAll(t.list, 0, 0, 2);
  EXPECT_NEAR(m.Value, m.IsAngle() ? c.value : 2 * c.value, 1e-9);
  EXPECT_EQ(m.Caption(kPixelsPerCm), caption);
  const double zoomed = m.Value;
  m.Recompute();  // a recompute from the zoomed objects agrees
  EXPECT_NEAR(m.Value, zoomed, 1e-9);
  m.Centimetres = false;
  EXPECT_NEAR(m.ShownValue(kPixelsPerCm), m.IsAngle() ? c.value : 2 * c.value, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Triangle, MeasureTest,
    ::testing::Values(
        // 300 px at 96 dpi: 300 / 96 * 2.54 = 7.9375 cm.
        MeasureCase{"distance", Measurement::Distance, {0, 1}, 300, 300, "AB = 7,94"},
        MeasureCase{
            "distance_moved", Measurement::Distance, {1, 2}, 500, 316.22776601683793, "BC = 13,23"},
        MeasureCase{"length", Measurement::Length, {3}, 300, 300, "AB = 7,94"},
        MeasureCase{"radius", Measurement::Radius, {4}, 300, 300, "r(S1) = 7,94"},
        MeasureCase{"right_angle", Measurement::Angle, {1, 0, 2}, 90, 90, "∠BAC = 90,0°"},
        // tan B = 400 / 300; after the drag tan B = 100 / 300.
        MeasureCase{"angle_b",
                    Measurement::Angle,
                    {0, 1, 2},
                    53.13010235415598,
                    18.43494882292201,
                    "∠ABC = 53,1°"},
        MeasureCase{"angle_c",
                    Measurement::Angle,
                    {1, 2, 0},
                    36.86989764584402,
                    71.56505117707799,
                    "∠BCA = 36,9°"},
        // Between two lines the acute angle: 180 - 126.87 at B.
        MeasureCase{"lines",
                    Measurement::LinesAngle,
                    {3, 5},
                    53.13010235415598,
                    18.43494882292201,
                    "∠(b1, b2) = 53,1°"},
        MeasureCase{
            "perpendicular_lines", Measurement::LinesAngle, {3, 6}, 90, 90, "∠(b1, b3) = 90,0°"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeasureTest, AngleAtCoincidentPointsShowsADashAndUndefinedObjectsHideIt) {
  Triangle t;
  TGMeasure& angle = t.Measure(Measurement::Angle, {0, 1, 2});
  t.a.SavedX = 100, t.a.SavedY = 100;
  t.a.DragTo(400, 100);  // A onto the vertex B
  EXPECT_TRUE(angle.Defined);
  EXPECT_FALSE(angle.HasValue);
  EXPECT_EQ(angle.Caption(kPixelsPerCm), "∠ABC = —");
  t.a.DragTo(100, 100);
  EXPECT_TRUE(angle.HasValue);

  // A segment whose ends meet is 0 long, and has no direction for an angle.
  TGMeasure& length = t.Measure(Measurement::Length, {3});
  TGMeasure& slope = t.Measure(Measurement::LinesAngle, {3, 6});
  t.b.DragTo(100, 100);
  EXPECT_EQ(length.Caption(kPixelsPerCm), "AB = 0,00");
  EXPECT_EQ(slope.Caption(kPixelsPerCm), "∠(b1, b3) = —");

  // The line BC has no direction while C stands on B: its angle vanishes.
  t.b.DragTo(400, 100);
  TGMeasure& lines = t.Measure(Measurement::LinesAngle, {3, 5});
  EXPECT_TRUE(lines.Defined);
  t.c.DragTo(400, 100);  // onto B
  EXPECT_FALSE(t.bc.Defined);
  EXPECT_FALSE(lines.Defined);
  t.c.DragTo(100, 500);
  EXPECT_TRUE(lines.Defined);
}

TEST(MeasureTest, IsDeletedWithWhatItMeasures) {
  Triangle t;
  t.Measure(Measurement::Distance, {0, 1});
  const std::size_t before = t.list.size();
  t.list.DeleteWithDescendants(1);  // B: the segment, circle, line BC and the measurement
  EXPECT_EQ(t.list.size(), before - 5);
  for (std::size_t i = 0; i < t.list.size(); ++i) EXPECT_NE(t.list[i].Kind(), kMeasureKind);
}

TEST(FormatDecimalTest, CommaAndChosenPlaces) {
  EXPECT_EQ(FormatDecimal(5.034, 2), "5,03");
  EXPECT_EQ(FormatDecimal(47.25, 0), "47");
  EXPECT_EQ(FormatDecimal(-0.0001, 3), "0,000");
  EXPECT_EQ(FormatDecimal(2.5, 7), "2,500");
}

struct FieldCase {
  const char* text;
  const char* shown;
};

class TextFieldTest : public ::testing::TestWithParam<FieldCase> {};

// m1 = 60, m2 = 50, m3 = 70 degrees, m4 has no value, "Угол" = 30.
TEST_P(TextFieldTest, FillsFieldsFromMeasurements) {
  auto lookup = [](std::string_view name) {
    using S = FieldValue::State;
    if (name == "m1") return FieldValue{S::Number, 60, 1};
    if (name == "m2") return FieldValue{S::Number, 50, 1};
    if (name == "m3") return FieldValue{S::Number, 70, 1};
    if (name == "m4") return FieldValue{S::NoValue, 0, 1};
    if (name == "Угол") return FieldValue{S::Number, 30, 0};
    return FieldValue{};
  };
  EXPECT_EQ(FillFields(GetParam().text, lookup), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TextFieldTest,
    ::testing::Values(FieldCase{"Сумма углов: {m1+m2+m3}°", "Сумма углов: 180,0°"},
                      FieldCase{"{m1} и {m2}", "60,0 и 50,0"}, FieldCase{"{m1/m2}", "1,2"},
                      FieldCase{"{ m1 * 2 }", "120,0"}, FieldCase{"{Угол}", "30"},
                      FieldCase{"{m9}", "?"}, FieldCase{"{m1+m9}", "?"}, FieldCase{"{m4}", "—"},
                      FieldCase{"{m1/0}", "?"}, FieldCase{"{m1+}", "?"},
                      FieldCase{"{} {1+2} {", "{} {1+2} {"}, FieldCase{"{sqrt(m1+4)}", "8,0"},
                      FieldCase{"без полей", "без полей"}));

TEST(TextFieldTest, TextShowsAQuestionMarkOnceItsMeasurementIsDeleted) {
  Triangle t;
  t.Measure(Measurement::Angle, {1, 0, 2});
  TGText& text = t.list.AddText();
  text.Text = "∠A = {m1}";
  RefreshTexts(t.list, kPixelsPerCm);
  EXPECT_EQ(text.Shown, "∠A = 90,00");  // two places: the measurement's own
  t.list.DeleteWithDescendants(0);
  RefreshTexts(t.list, kPixelsPerCm);
  ASSERT_EQ(t.list.back().Kind(), kTextKind);
  EXPECT_EQ(static_cast<TGText&>(t.list.back()).Shown, "∠A = ?");
}

}  // namespace
}  // namespace zelmora
