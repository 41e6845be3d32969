#include "document/document_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "document/cp1251.h"
#include "document/line_code.h"
#include "geometry/construction_method.h"

namespace zelmora {
namespace {

using ::testing::ElementsAre;

namespace fs = std::filesystem;

constexpr std::string_view kMagic = "ZelmoraSaveFile 2.0";

// File bytes: the magic line unless `magic` is empty, then every line
// (given as UTF-8) encoded.
std::string FileBytes(const std::vector<std::string>& lines, std::string_view magic = kMagic) {
  std::string out;
  if (!magic.empty()) out = std::string(magic) + "\r\n";
  for (const auto& line : lines) out += EncodeLine(Utf8ToCp1251(line).value()) + "\r\n";
  return out;
}

// The lines of written bytes, every one but the magic line decoded.
std::vector<std::string> DecodedLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = bytes.substr(start, end - start);
    lines.push_back(lines.empty() ? line : Cp1251ToUtf8(DecodeLine(line)));
  }
  EXPECT_EQ(start, bytes.size()) << "the last line has no CR LF";
  return lines;
}

TGPoint& FreePoint(ObjectList& list, double x, double y) {
  TGPoint& p = list.AddPoint();
  p.X = x, p.Y = y;
  p.MustDraw = true;
  return p;
}

// Free points A1 and A2 and their midpoint A3.
void BuildMidpoint(ObjectList& list, double ax, double ay, double bx, double by) {
  TGPoint& a = FreePoint(list, ax, ay);
  TGPoint& b = FreePoint(list, bx, by);
  list.Complete(list.AddPoint(), {&a, &b}, CodeOf(ConstructionMethod::Midpoint));
}

const TGPoint& PointAt(const ObjectList& list, std::size_t i) {
  return dynamic_cast<const TGPoint&>(list[i]);
}

// Everything a refused load must leave alone.
std::string Snapshot(const ObjectList& list, const DocumentInfo& info) {
  return WritePlane(list, info) + std::to_string(list.pointCounter) +
         std::to_string(list.lineCounter) + std::to_string(list.circleCounter) +
         (list.Modified() ? "M" : "-");
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "zelmora-doc-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DocumentWrite, EmptyDocumentIsMagicAuthorAndZeroCount) {
  ObjectList list;
  const std::string bytes = WritePlane(list, {"Иванов", {}});
  EXPECT_EQ(bytes, std::string(kMagic) + "\r\n" + EncodeLine("\xC8\xE2\xE0\xED\xEE\xE2") + "\r\n" +
                       EncodeLine("0") + "\r\n");
  DocumentInfo info{"old", {"old comment"}};
  FreePoint(list, 1, 1);
  ASSERT_TRUE(ReadPlane(bytes, list, info).ok());
  EXPECT_EQ(list.size(), 0u);
  EXPECT_EQ(info, (DocumentInfo{"Иванов", {}}));
}

TEST(DocumentWrite, PointRecordAsStored) {
  ObjectList list;
  BuildMidpoint(list, 10.7, -3.2, 30, 40);
  const auto lines = DecodedLines(WritePlane(list, {"a", {"x", "y"}}));
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[2], "2");
  EXPECT_EQ(lines[5], "1;A1;0;1;0;1;1;1;0;0;10:-3:;2:;;");
  EXPECT_EQ(lines[7].substr(0, 13), "1;A3;0;1;0;1;");
  EXPECT_TRUE(lines[7].ends_with(";;0:1:;")) << lines[7];
}

TEST(DocumentWrite, OtherKindsAndOddColours) {
  ObjectList list;
  TGLine& line = list.AddLine();
  line.X1 = -1.9, line.Y1 = 2.5, line.X2 = 1e30, line.Y2 = 0;
  line.Bounded1 = true, line.Bounded2 = false, line.EndsOff = true;
  line.Color = 0x123456;  // not a palette colour
  line.Hidden = true;
  TGCircle& circle = list.AddCircle();
  circle.CX = 5, circle.CY = 6, circle.R = 7.99;
  circle.Color = PaletteColor(14, kBlack);
  list.AddAngle().Value = 30.5;
  list.AddLength().Value = -0.5;
  const auto lines = DecodedLines(WritePlane(list, {}));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[3], "2;b1;-1;1;0;1;0;1;1;0;-1:2:9223372036854775807:0:1:0:1:;;;");
  EXPECT_EQ(lines[4], "3;S1;14;1;0;1;0;1;0;0;5:6:7:;;;");
  EXPECT_EQ(lines[5], "4;;0;1;0;0;0;1;0;0;30:;;;");
  EXPECT_EQ(lines[6], "5;;0;1;0;0;0;1;0;0;0:;;;");
}

// Records without a header line of their own: author "Петров", no comment.
std::string WithHeader(std::vector<std::string> records, std::string_view magic = kMagic) {
  records.insert(records.begin(), {"Петров", "0"});
  return FileBytes(records, magic);
}

struct ReadCase {
  const char* name;
  std::string bytes;
  std::function<void(const ObjectList&, const DocumentInfo&)> check;
};

class DocumentRead : public testing::TestWithParam<ReadCase> {};

TEST_P(DocumentRead, LoadsAsStored) {
  ObjectList list;
  BuildMidpoint(list, 1, 2, 3, 4);
  list.MarkModified();
  DocumentInfo info{"old", {"old"}};
  const LoadResult result = ReadPlane(GetParam().bytes, list, info);
  ASSERT_TRUE(result.ok()) << result.detail;
  EXPECT_EQ(result.ErrorNumber(), 0);
  EXPECT_FALSE(list.Modified());
  GetParam().check(list, info);
}

const ReadCase kReadCases[] = {
    {"FirstLineIsAuthorWithoutMagic",
     FileBytes({"Петров", "1", "чертёж", "1;P;0;1;0;1;1;1;0;7:8:;;;"}, ""),
     [](const ObjectList& list, const DocumentInfo& info) {
       EXPECT_EQ(info, (DocumentInfo{"Петров", {"чертёж"}}));
       ASSERT_EQ(list.size(), 1u);
       EXPECT_EQ(PointAt(list, 0).X, 7);
       EXPECT_EQ(PointAt(list, 0).Y, 8);
       EXPECT_FALSE(list[0].Hidden);
     }},
    {"OlderVersionHasNoHiddenField",
     WithHeader({"1;P;0;1;0;1;1;1;0;7:8:;;;"}, "ZelmoraSaveFile 1.9"),
     [](const ObjectList& list, const DocumentInfo&) {
       ASSERT_EQ(list.size(), 1u);
       EXPECT_EQ(PointAt(list, 0).Y, 8);
     }},
    {"HiddenAndFlags", WithHeader({"1;P;3;5;2;0;1;0;1;0;7:8:;;;"}),
     [](const ObjectList& list, const DocumentInfo&) {
       const TGObject& p = list[0];
       EXPECT_EQ(p.Color, PaletteColor(3, kBlack));
       EXPECT_EQ(p.Width, 5);
       EXPECT_EQ(p.PenStyle, 2);
       EXPECT_FALSE(p.NameVisible);
       EXPECT_TRUE(p.MustDraw);
       EXPECT_FALSE(p.Defined);
       EXPECT_TRUE(p.Hidden);
     }},
    {"ForwardReferencesAndCounters",
     WithHeader({"1;M;0;1;0;1;1;1;0;9;0:0:;;2:3:;", "2;l;0;1;0;1;1;1;0;100;0:0:5:5:1:0:0:;;;",
                 "1;P;0;1;0;1;1;1;0;0;10:20:;0:;;", "1;Q;0;1;0;1;1;1;0;0;30:-40:;0:;;"}),
     [](const ObjectList& list, const DocumentInfo&) {
       ASSERT_EQ(list.size(), 4u);
       EXPECT_THAT(list[0].Parents, ElementsAre(&list[2], &list[3]));
       EXPECT_THAT(list[2].Children, ElementsAre(&list[0]));
       EXPECT_EQ(PointAt(list, 0).X, 20);
       EXPECT_EQ(PointAt(list, 0).Y, -10);
       const auto& line = dynamic_cast<const TGLine&>(list[1]);
       EXPECT_EQ(line.Y2, 5);
       EXPECT_TRUE(line.Bounded1);
       EXPECT_FALSE(line.EndsOff);
       EXPECT_EQ(list.pointCounter, 3);
       EXPECT_EQ(list.lineCounter, 1);
       EXPECT_EQ(list.circleCounter, 0);
     }},
    {"NamesCutToTwelveCharacters",
     WithHeader(
         {"1;ABCDEFGHIJKLMN;0;1;0;1;1;1;0;0;0:0:;;;", "1;Треугольник12;0;1;0;1;1;1;0;0;0:0:;;;"}),
     [](const ObjectList& list, const DocumentInfo&) {
       EXPECT_EQ(list[0].Name, "ABCDEFGHIJKL");
       EXPECT_EQ(list[1].Name, "Треугольник1");
     }},
    // A control character in a label once crashed the painter.
    {"NamesLoseControlCharacters",
     WithHeader({"1;\t;0;1;0;1;1;1;0;0;0:0:;;;", "1;a\x01\tb\x7f;0;1;0;1;1;1;0;0;0:0:;;;"}),
     [](const ObjectList& list, const DocumentInfo&) {
       EXPECT_EQ(list[0].Name, "");
       EXPECT_EQ(list[1].Name, "ab");
     }},
    // A free circle of radius -20 once loaded as defined and was saved back negative.
    {"NegativeRadiusReadsAsItsSize", WithHeader({"3;c;0;1;0;1;1;1;0;200;50:60:-20:;;;"}),
     [](const ObjectList& list, const DocumentInfo& info) {
       EXPECT_EQ(dynamic_cast<const TGCircle&>(list[0]).R, 20);
       EXPECT_EQ(DecodedLines(WritePlane(list, info)).back(), "3;c;0;1;0;1;1;1;0;200;50:60:20:;;;");
     }},
    {"ColourOutsidePaletteIsBlack",
     WithHeader({"1;a;16;1;0;1;1;1;0;0;0:0:;;;", "1;b;-1;1;0;1;1;1;0;0;0:0:;;;",
                 "1;c;14;1;0;1;1;1;0;0;0:0:;;;"}),
     [](const ObjectList& list, const DocumentInfo&) {
       EXPECT_EQ(list[0].Color, kBlack);
       EXPECT_EQ(list[1].Color, kBlack);
       EXPECT_EQ(list[2].Color, 0x0000FFu);
     }},
    {"UnknownMethodStaysPut", WithHeader({"1;P;0;1;0;1;1;1;0;50;7:8:;;;"}),
     [](const ObjectList& list, const DocumentInfo&) {
       EXPECT_EQ(Number(list[0].Method), 50);
       EXPECT_EQ(PointAt(list, 0).X, 7);
     }},
    {"DamagedPenStyleAndWidthAreTamed",
     WithHeader({"2;l;0;2147483647;9;1;1;1;0;100;0:0:5:5:0:0:0:;;;"}),
     [](const ObjectList& list, const DocumentInfo&) {
       EXPECT_EQ(list[0].PenStyle, 0);
       EXPECT_EQ(list[0].Width, 1000);
     }},
    {"ValueObjectsFeedTheirConstructions",
     WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:;2:;;", "1;Q;0;1;0;1;1;1;0;0;100:0:;2:;;",
                 "1;R;0;1;0;1;1;1;0;10;0:0:;;0:1:3:;", "5;;0;1;0;0;0;1;0;0;30:;2:;;",
                 "4;;0;1;0;0;0;1;0;0;45:;;;"}),
     [](const ObjectList& list, const DocumentInfo&) {
       EXPECT_EQ(dynamic_cast<const TGLength&>(list[3]).Value, 30);
       EXPECT_EQ(dynamic_cast<const TGAngle&>(list[4]).Value, 45);
       EXPECT_NEAR(PointAt(list, 2).X, 30, 1e-9);  // 30 units from P towards Q
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, DocumentRead, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* name;
  std::string bytes;
};

class DocumentRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(DocumentRefused, LeavesDocumentAsItWas) {
  ObjectList list;
  BuildMidpoint(list, 1, 2, 3, 4);
  list.MarkModified();
  DocumentInfo info{"автор", {"строка"}};
  const std::string before = Snapshot(list, info);
  const TGObject* first = &list[0];
  const LoadResult result = ReadPlane(GetParam().bytes, list, info);
  EXPECT_EQ(result.status, LoadStatus::kUnreadable);
  EXPECT_EQ(result.ErrorNumber(), 1);
  EXPECT_FALSE(result.detail.empty());
  EXPECT_EQ(result.detail.find('\n'), std::string::npos);
  EXPECT_EQ(Snapshot(list, info), before);
  EXPECT_EQ(&list[0], first);
}

// P and Q free, M their midpoint: a sound file the cases below spoil one way each.
const std::string kP = "1;P;0;1;0;1;1;1;0;0;0:0:;2:;;";
const std::string kQ = "1;Q;0;1;0;1;1;1;0;0;4:4:;2:;;";
const std::string kM = "1;M;0;1;0;1;1;1;0;9;2:2:;;0:1:;";

const RefusedCase kRefusedCases[] = {
    {"EmptyFile", ""},
    {"MagicLineOnly", std::string(kMagic) + "\r\n"},
    {"NoCommentCount", FileBytes({"author"})},
    {"CommentCountNotANumber", FileBytes({"author", "x"})},
    {"NegativeCommentCount", FileBytes({"author", "-1"})},
    {"CommentRunsPastTheEnd", FileBytes({"author", "3", "one"})},
    {"UnknownKind", WithHeader({"7;X;0;1;0;1;1;1;0;0;0:0:;;;"})},
    {"WidthNotANumber", WithHeader({"1;P;0;wide;0;1;1;1;0;0;0:0:;;;"})},
    {"RecordCutShort", WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:"})},
    {"EmptyRecordLine", WithHeader({kP, kQ, kM, ""})},
    {"TextAfterParents", WithHeader({kP, kQ, kM + "9"})},
    {"GeometryTooLong", WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:0:;;;"})},
    {"HiddenFieldInOldVersion", WithHeader({kP}, "ZelmoraSaveFile 1.0")},
    {"ReferenceBeyondTheFile", WithHeader({kP, kQ, "1;M;0;1;0;1;1;1;0;9;2:2:;;0:7:;"})},
    {"NegativeReference", WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:;-1:;;"})},
    {"ReferenceWithoutColon", WithHeader({kP, kQ, "1;M;0;1;0;1;1;1;0;9;2:2:;;0:1;"})},
    {"TooFewParents",
     WithHeader({kP, "1;Q;0;1;0;1;1;1;0;0;4:4:;;;", "1;M;0;1;0;1;1;1;0;9;2:2:;;0:;"})},
    {"LineMethodGivenACircle",
     WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:;2:;;", "3;S;0;1;0;1;1;1;0;200;0:0:5:;2:;;",
                 "2;l;0;1;0;1;1;1;0;101;0:0:1:1:0:0:0:;;0:1:;"})},
    // Codes belong to a kind: a point cannot be built as a line through two points.
    {"PointGivenALineMethod", WithHeader({kP, kQ, "1;M;0;1;0;1;1;1;0;101;2:2:;;0:1:;"})},
    {"FreeObjectWithAParent",
     WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:;1:;;", "1;Q;0;1;0;1;1;1;0;0;0:0:;;0:;"})},
    {"UnknownMethodWithAParent",
     WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:;1:;;", "1;Q;0;1;0;1;1;1;0;50;0:0:;;0:;"})},
    {"LengthWithAParent",
     WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:;1:;;", "5;;0;1;0;0;0;1;0;0;3:;;0:;"})},
    {"ChildMissingFromParent", WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:;;;", kQ, kM})},
    {"ChildListedTwice", WithHeader({"1;P;0;1;0;1;1;1;0;0;0:0:;2:2:;;", kQ, kM})},
    {"ChildWithoutThatParent", WithHeader({kP, kQ, kM, "1;R;0;1;0;1;1;1;0;0;0:0:;2:;;"})},
    {"CycleThroughParents",
     WithHeader({"1;P;0;1;0;1;1;1;0;1;0:0:;1:;1:;", "2;l;0;1;0;1;1;1;0;101;0:0:1:1:0:0:0:;0:;0:2:;",
                 "1;Q;0;1;0;1;1;1;0;0;4:4:;1:;;"})},
    {"OwnParent",
     WithHeader({"1;P;0;1;0;1;1;1;0;9;0:0:;0:;0:1:;", "1;Q;0;1;0;1;1;1;0;0;4:4:;0:;;"})},
};

INSTANTIATE_TEST_SUITE_P(Cases, DocumentRefused, testing::ValuesIn(kRefusedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentFile, TruncatedCoordinatesDriveTheDescendants) {
  TempFolder folder;
  const fs::path path = folder.path() / "mid.zms";
  ObjectList saved;
  BuildMidpoint(saved, 10.7, -3.2, 21.9, 8.9);
  ASSERT_TRUE(SavePlane(path, saved, {}).ok);

  ObjectList list;
  DocumentInfo info;
  ASSERT_TRUE(LoadPlane(path, list, info).ok());
  EXPECT_EQ(PointAt(list, 0).X, 10);
  EXPECT_EQ(PointAt(list, 0).Y, -3);
  EXPECT_EQ(PointAt(list, 1).X, 21);
  EXPECT_EQ(PointAt(list, 2).X, 15.5);  // stored as 16, recomputed from (10, -3) and (21, 8)
  EXPECT_EQ(PointAt(list, 2).Y, 2.5);
}

TEST(DocumentFile, EveryKindReadsBackToTheSameBytes) {
  ObjectList list;
  TGPoint& p = FreePoint(list, 0, 0);
  TGPoint& q = FreePoint(list, 100, 0);
  TGLength& length = list.AddLength();
  length.Value = 30;
  list.Complete(list.AddPoint(), {&p, &q, &length}, CodeOf(ConstructionMethod::PointAtDistance));
  TGLine& free = list.AddLine();
  free.X1 = 5, free.Y1 = 6, free.X2 = 7, free.Y2 = 8, free.Bounded2 = true;
  free.Method = CodeOf(ConstructionMethod::FreeLine);
  free.MustDraw = true;
  TGAngle& angle = list.AddAngle();
  angle.Value = 90;
  list.Complete(list.AddLine(), {&q, &free, &angle},
                CodeOf(ConstructionMethod::LineAtConstantAngle));
  TGCircle& circle = list.AddCircle();
  circle.CX = 50, circle.CY = 50, circle.R = 20;
  circle.Method = CodeOf(ConstructionMethod::FreeCircle);
  circle.MustDraw = true;
  list.Complete(list.AddPoint(), {&circle}, CodeOf(ConstructionMethod::CircleCentre));
  list[0].Hidden = true;
  list[1].Name = "Точка Ёё №1";
  const DocumentInfo info{"Автор", {"первая", "", "третья"}};

  const std::string bytes = WritePlane(list, info);
  ObjectList loaded;
  DocumentInfo loadedInfo;
  ASSERT_TRUE(ReadPlane(bytes, loaded, loadedInfo).ok());
  EXPECT_EQ(WritePlane(loaded, loadedInfo), bytes);
  EXPECT_EQ(loadedInfo, info);
}

struct SanitiseCase {
  const char* name;
  std::string inMemory;
  std::string readBack;
};

class NameSanitising : public testing::TestWithParam<SanitiseCase> {};

TEST_P(NameSanitising, EveryWrittenNameReadsBack) {
  ObjectList list;
  FreePoint(list, 1, 1).Name = GetParam().inMemory;
  FreePoint(list, 2, 2);
  ObjectList loaded;
  DocumentInfo info;
  const LoadResult result = ReadPlane(WritePlane(list, {}), loaded, info);
  ASSERT_TRUE(result.ok()) << result.detail;
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0].Name, GetParam().readBack);
  EXPECT_EQ(PointAt(loaded, 1).X, 2);
}

const SanitiseCase kSanitiseCases[] = {
    {"Semicolon", "a;b", "a,b"},
    {"LineFeed", "a\nb", "ab"},
    {"CarriageReturnLineFeed", "Тест;\r\n1", "Тест,1"},
    // Code 0x0E encodes to a carriage return at the first position.
    {"ControlCodeThatEncodesToALineBreak", "\x0E", ""},
    {"ColonStays", "a:b", "a:b"},
    {"TabDropped", "a\tb", "ab"},
    {"LongNameCut", "abcdefghijklmnop", "abcdefghijkl"},
};

INSTANTIATE_TEST_SUITE_P(Cases, NameSanitising, testing::ValuesIn(kSanitiseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentFile, AuthorAndCommentLineBreaksKeepTheFileReadable) {
  ObjectList list;
  FreePoint(list, 3, 4);
  DocumentInfo info;
  const std::string bytes = WritePlane(list, {"first\nsecond", {"one\r\ntwo", ""}});
  ASSERT_TRUE(ReadPlane(bytes, list, info).ok());
  EXPECT_EQ(info, (DocumentInfo{"firstsecond", {"one", "two", ""}}));
  EXPECT_EQ(PointAt(list, 0).Y, 4);
}

TEST(DocumentFile, MissingFileAndFolderAreReportedApart) {
  TempFolder folder;
  ObjectList list;
  FreePoint(list, 1, 1);
  DocumentInfo info{"a", {}};
  const LoadResult missing = LoadPlane(folder.path() / "none.zms", list, info);
  EXPECT_EQ(missing.status, LoadStatus::kNotFound);
  EXPECT_EQ(missing.ErrorNumber(), 5);
  const LoadResult folderResult = LoadPlane(folder.path(), list, info);
  EXPECT_EQ(folderResult.ErrorNumber(), 1);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(info.author, "a");
}

struct FailedSaveCase {
  const char* name;
  std::function<fs::path(const fs::path& folder)> prepare;  // returns the path saved to
  FileFault fault;
};

class FailedSave : public testing::TestWithParam<FailedSaveCase> {};

TEST_P(FailedSave, ReportsFailureInRussianAndKeepsWhatWasThere) {
  TempFolder folder;
  const fs::path target = GetParam().prepare(folder.path());
  const auto entriesBefore = folder.Entries();
  const std::string before = fs::is_regular_file(target) ? ReadFile(target) : "";
  ObjectList list;
  FreePoint(list, 1, 1);
  const SaveResult result = SavePlane(target, list, {});
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(result.fault, GetParam().fault);
  std::string shown = SaveFailureText(result);
  shown.erase(shown.find(result.path));
  EXPECT_EQ(std::count_if(shown.begin(), shown.end(), ::isalpha), 0) << shown;
  EXPECT_EQ(folder.Entries(), entriesBefore);
  if (fs::is_regular_file(target)) {
    EXPECT_EQ(ReadFile(target), before);
  } else if (fs::is_directory(target)) {
    EXPECT_EQ(ReadFile(target / "inside.zms"), "old");
  }
}

const FailedSaveCase kFailedSaveCases[] = {
    {"MissingFolder", [](const fs::path& folder) { return folder / "none" / "doc.zms"; },
     FileFault::kNoFolder},
    {"FolderIsAFile",
     [](const fs::path& folder) {
       std::ofstream(folder / "plain") << "x";
       return folder / "plain" / "doc.zms";
     },
     FileFault::kNoFolder},
    {"OverAFolder",
     [](const fs::path& folder) {
       fs::create_directory(folder / "doc.zms");
       std::ofstream(folder / "doc.zms" / "inside.zms") << "old";
       return folder / "doc.zms";
     },
     FileFault::kIsFolder},
    // Even where the folder lets the file be replaced by a rename.
    {"ReadOnlyFile",
     [](const fs::path& folder) {
       std::ofstream(folder / "doc.zms") << "old";
       fs::permissions(folder / "doc.zms", fs::perms::owner_read | fs::perms::group_read);
       return folder / "doc.zms";
     },
     FileFault::kReadOnly},
};

INSTANTIATE_TEST_SUITE_P(Cases, FailedSave, testing::ValuesIn(kFailedSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A save killed at any moment leaves the old or the new document whole, and
// what it leaves behind never stops the next save.
TEST(DocumentFile, KilledSavesLeaveAWholeFileAndTheNextSaveWorks) {
  TempFolder folder;
  const fs::path path = folder.path() / "doc.zms";
  ObjectList small, large;
  FreePoint(small, 1, 1);
  for (int i = 0; i < 100000; ++i) FreePoint(large, i, -i);
  const std::string oldBytes = WritePlane(small, {}), newBytes = WritePlane(large, {});
  // Left by earlier kills: once a hundred of these made every save fail.
  for (int i = 0; i < 100; ++i)
    std::ofstream(folder.path() / ("doc.zms.saving-" + std::to_string(i)));
  ASSERT_TRUE(SavePlane(path, small, {}).ok);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(SavePlane(folder.path() / "timing.zms", large, {}).ok);
  const auto saveTime = std::chrono::steady_clock::now() - start;
  fs::remove(folder.path() / "timing.zms");
  constexpr int kKills = 12;
  for (int k = 0; k < kKills; ++k) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SavePlane(path, large, {});
      ::_exit(0);
    }
    std::this_thread::sleep_for(saveTime * k / kKills);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string found = ReadFile(path);
    EXPECT_TRUE(found == oldBytes || found == newBytes) << "kill " << k << ": " << found.size();
    ASSERT_TRUE(SavePlane(path, small, {}).ok) << "after kill " << k;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"doc.zms"}) << "after kill " << k;
  }
}

TEST(DocumentFile, SaveReplacesTheOldFileAndLeavesNothingElse) {
  TempFolder folder;
  const fs::path path = folder.path() / "doc.zms";
  std::ofstream(path) << "old contents";
  ObjectList list;
  FreePoint(list, 1, 1);
  const SaveResult result = SavePlane(path, list, {"me", {}});
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(ReadFile(path), WritePlane(list, {"me", {}}));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"doc.zms"});
}

}  // namespace
}  // namespace zelmora
