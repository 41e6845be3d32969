#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/cp1251.h"
#include "document/document_file.h"
#include "document/line_code.h"
#include "geometry/construction_method.h"
#include "geometry/whole_drawing.h"

namespace zelmora {
namespace {

constexpr double kPixelsPerCm = 96 / 2.54;

std::string FileBytes(std::string_view magic, const std::vector<std::string>& lines) {
  std::string out = std::string(magic) + "\r\n";
  for (const auto& line : lines) out += EncodeLine(Utf8ToCp1251(line).value()) + "\r\n";
  return out;
}

// Points A(0, 0), B(300, 0), C(0, 400) and the segment AB.
void Triangle(ObjectList& list) {
  list.defaults.pointPrefix = "";
  for (auto [x, y] : {std::pair{0, 0}, {300, 0}, {0, 400}}) {
    TGPoint& p = list.AddPoint();
    p.Name = std::string(1, static_cast<char>('A' + list.size() - 1));
    p.X = x, p.Y = y;
    p.MustDraw = true;
  }
  list.Complete(list.AddLine(), {&list[0], &list[1]}, CodeOf(ConstructionMethod::Segment));
}

void AddMeasurementsAndText(ObjectList& list) {
  TGMeasure& angle = list.AddMeasure();
  list.Complete(angle, {&list[1], &list[0], &list[2]}, CodeOf(Measurement::Angle));
  angle.Decimals = 1;
  TGMeasure& length = list.AddMeasure();
  list.Complete(length, {&list[3]}, CodeOf(Measurement::Length));
  length.Decimals = 3;
  length.LabelOffsetX = -20;
  TGText& text = list.AddText();
  text.X = 15, text.Y = 25;
  text.FontSize = 22;
  text.Text = "Угол: {m1}°; путь C:\\tmp\nвторая строка";
  list.Complete(text, {}, TGText::kMethodCode);
}

TEST(ExtendedFileTest, DrawingWithoutNewKindsStaysVersion20) {
  ObjectList list;
  Triangle(list);
  const std::string plain = WritePlane(list, {});
  EXPECT_TRUE(plain.starts_with("ZelmoraSaveFile 2.0\r\n"));
  AddMeasurementsAndText(list);
  EXPECT_TRUE(WritePlane(list, {}).starts_with("ZelmoraSaveFile 2.1\r\n"));
  // Gone again, the file is again what it was before, byte for byte.
  list.DeleteWithDescendants(list.size() - 1);
  list.DeleteWithDescendants(list.size() - 1);
  list.DeleteWithDescendants(list.size() - 1);
  EXPECT_EQ(WritePlane(list, {}), plain);
}

TEST(ExtendedFileTest, Version21RoundTripKeepsEverythingAUserSet) {
  ObjectList list;
  Triangle(list);
  AddMeasurementsAndText(list);
  ScaleAll(list, 0, 0, 2);  // the centimetres must not follow the zoom, even reopened
  const auto& length = static_cast<const TGMeasure&>(list[5]);
  const std::string caption = length.Caption(kPixelsPerCm);
  EXPECT_EQ(caption, "AB = 7,938");
  const std::string bytes = WritePlane(list, {"автор", {}});

  ObjectList read;
  DocumentInfo info;
  ASSERT_TRUE(ReadPlane(bytes, read, info).ok());
  EXPECT_EQ(WritePlane(read, info), bytes);
  ASSERT_EQ(read.size(), 7u);
  const auto& angle = static_cast<const TGMeasure&>(read[4]);
  EXPECT_EQ(angle.Name, "m1");
  EXPECT_DOUBLE_EQ(angle.Value, 90);
  EXPECT_EQ(static_cast<const TGMeasure&>(read[5]).Caption(kPixelsPerCm), caption);
  EXPECT_EQ(read[5].LabelOffsetX, -20);
  const auto& text = static_cast<const TGText&>(read[6]);
  EXPECT_EQ(text.Text, "Угол: {m1}°; путь C:\\tmp\nвторая строка");
  EXPECT_EQ(text.FontSize, 22);
  EXPECT_EQ(text.X, 30);
  // New objects after reopening do not take the names the file holds.
  EXPECT_EQ(read.AddMeasure().Name, "m3");
  EXPECT_EQ(read.AddText().Name, "t2");
}

struct RefusedCase {
  const char* name;
  const char* magic;
  std::string record;  // after the points A, B and the segment AB
};

class ExtendedRefusalTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ExtendedRefusalTest, DamagedRecordIsUnreadableAndChangesNothing) {
  const RefusedCase& c = GetParam();
  const std::string bytes = FileBytes(
      c.magic, {"", "0", "1;A;0;1;0;1;1;1;0;0;0:0:;2:3:;;", "1;B;0;1;0;1;1;1;0;0;9:0:;2:3:;;",
                "2;b1;0;1;0;1;1;1;0;105;0:0:9:0:1:1:1:;;0:1:;", c.record});
  ObjectList list;
  list.AddPoint();
  DocumentInfo info;
  EXPECT_FALSE(ReadPlane(bytes, list, info).ok());
  EXPECT_EQ(list.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ExtendedRefusalTest,
    ::testing::Values(
        // A copy that knows only 2.0 refuses 2.1 files the same way.
        RefusedCase{"in_version_20", "ZelmoraSaveFile 2.0",
                    "6;m1;0;1;0;0;1;1;0;400;2:1:1:0:0:;;0:1:;"},
        RefusedCase{"wrong_parents", "ZelmoraSaveFile 2.1",
                    "6;m1;0;1;0;0;1;1;0;401;2:1:1:0:0:;;0:1:;"},
        RefusedCase{"unknown_measure", "ZelmoraSaveFile 2.1",
                    "6;m1;0;1;0;0;1;1;0;405;2:1:1:0:0:;;0:1:;"},
        RefusedCase{"bad_scale", "ZelmoraSaveFile 2.1", "6;m1;0;1;0;0;1;1;0;400;2:1:x:0:0:;;0:1:;"},
        RefusedCase{"short_group", "ZelmoraSaveFile 2.1", "6;m1;0;1;0;0;1;1;0;400;2:1:;;0:1:;"},
        RefusedCase{"text_with_parents", "ZelmoraSaveFile 2.1",
                    "7;t1;0;1;0;0;1;1;0;500;0:0:16:;a;;0:;"},
        RefusedCase{"text_without_lines", "ZelmoraSaveFile 2.1",
                    "7;t1;0;1;0;0;1;1;0;500;0:0:16:;"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelmora
