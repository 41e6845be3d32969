#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/cp1251.h"
#include "document/line_code.h"
#include "document/macro_file.h"
#include "document/text_table.h"
#include "interaction/macro_application.h"
#include "interaction/macro_recording.h"
#include "support/line_scene.h"
#include "support/temp_folder.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;
using testing::LineScene;

// The decoded lines of a macro file, magic line included.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    const std::string line = bytes.substr(start, end - start);
    lines.push_back(lines.empty() ? line : Cp1251ToUtf8(DecodeLine(line)));
    start = end + 2;
  }
  return lines;
}

std::string FileOf(const std::vector<std::string>& lines) {
  std::string bytes = lines[0] + "\r\n";
  for (std::size_t i = 1; i < lines.size(); ++i) {
    bytes += EncodeLine(*Utf8ToCp1251(lines[i])) + "\r\n";
  }
  return bytes;
}

// Records `results` built on `arguments` in a scene and returns the file text.
std::string Record(LineScene& scene, const std::vector<int>& arguments,
                   const std::vector<int>& results, bool* checked = nullptr,
                   bool dropSuperfluous = false, bool renameOnLoad = false) {
  MacroRecording recording;
  recording.phase = MacroPhase::Arguments;
  for (int a : arguments) {
    RegisterMacroPick(scene.list, recording, a);
    recording.hints.push_back("подсказка " + std::to_string(a));
  }
  recording.phase = MacroPhase::Results;
  for (int r : results) RegisterMacroPick(scene.list, recording, r);
  recording.name = "Макрос";
  recording.renameOnLoad = renameOnLoad;
  const bool ok =
      CheckMacro(scene.list, recording, [&](const std::string&) { return dropSuperfluous; });
  if (checked != nullptr) *checked = ok;
  if (!ok) return {};
  const fs::path file = testing::FreshTempFolder("macro") / "m.zmm";
  EXPECT_TRUE(SaveMacro(scene.list, recording, file).ok);
  for (std::size_t i = 0; i < scene.list.size(); ++i) {
    EXPECT_EQ(scene.list[i].Mark, 0) << i;
    EXPECT_FALSE(scene.list[i].MacroMark) << i;
  }
  const std::string bytes = *ReadMacroFileBytes(file);
  fs::remove_all(file.parent_path());
  return bytes;
}

TEST(MacroRecord, MidpointFileHoldsTwoArgumentsEndAndOneConstruction) {
  LineScene scene;
  scene.Point(10, 20), scene.Point(30, 40);
  TGPoint& mid = scene.ChildPoint(9, {&scene.list[0], &scene.list[1]});
  mid.Color = 0x0000FF;
  mid.Width = 3;
  EXPECT_EQ(Lines(Record(scene, {0, 1}, {2})),
            (std::vector<std::string>{
                "ZelmoraMacros2.0", "Макрос", "1подсказка 0;A1;1;0;1;0;0;0;2:;;",
                "1подсказка 1;A2;1;0;1;0;0;0;2:;;", "End", "1;A3;1;255;3;0;0;9;;0:1:;"}));
}

TEST(MacroRecord, AppliedMacroFollowsItsNewArguments) {
  LineScene scene;
  scene.Point(10, 20), scene.Point(30, 40);
  scene.ChildPoint(9, {&scene.list[0], &scene.list[1]});
  const std::string bytes = Record(scene, {0, 1}, {2});
  TGPoint& p = scene.Point(100, 100);
  scene.Point(200, 300);
  ASSERT_TRUE(ApplyMacroBytes(bytes, scene.list, {&scene.list[3], &scene.list[4]}).ok);
  ASSERT_EQ(scene.list.size(), 6u);
  const auto& made = static_cast<const TGPoint&>(scene.list[5]);
  EXPECT_EQ(made.Parents, (std::vector<TGObject*>{&scene.list[3], &scene.list[4]}));
  EXPECT_DOUBLE_EQ(made.X, 150);
  EXPECT_DOUBLE_EQ(made.Y, 200);
  p.DragTo(0, 0);
  EXPECT_DOUBLE_EQ(made.X, 100);
  EXPECT_DOUBLE_EQ(made.Y, 150);
  EXPECT_TRUE(scene.list.Modified());
  // Applying twice builds a second, separate point.
  ASSERT_TRUE(ApplyMacroBytes(bytes, scene.list, {&scene.list[3], &scene.list[4]}).ok);
  EXPECT_EQ(scene.list.size(), 7u);
  EXPECT_EQ(scene.list[3].Children.size(), 2u);
}

TEST(MacroRecord, LineArgumentAndNamesKeptOrRenamed) {
  for (bool rename : {false, true}) {
    LineScene scene;
    scene.Point(0, 0);
    scene.FreeLine(0, 50, 100, 50);
    scene.Line(103, {&scene.list[0], &scene.list[1]});  // perpendicular
    const std::string bytes = Record(scene, {0, 1}, {2}, nullptr, false, rename);
    EXPECT_EQ(Lines(bytes)[3], rename ? "2подсказка 1;;1;0;1;0;0;100;0;0;1;2:;;"
                                      : "2подсказка 1;b1;1;0;1;0;0;100;0;0;1;2:;;");
    scene.Point(10, 10);
    scene.FreeLine(0, 0, 0, 100);
    ASSERT_TRUE(ApplyMacroBytes(bytes, scene.list, {&scene.list[3], &scene.list[4]}).ok);
    const auto& made = static_cast<const TGLine&>(scene.list[5]);
    EXPECT_EQ(made.Name, rename ? "b4" : "b2");
    EXPECT_TRUE(made.Defined);
    EXPECT_DOUBLE_EQ(made.Y1, made.Y2);  // perpendicular to the vertical line
  }
}

TEST(MacroRecord, ValuesAreRoundedHalfToEven) {
  for (auto [value, stored] : {std::pair{2.5, "2:"}, {3.5, "4:"}, {-0.5, "0:"}}) {
    LineScene scene;
    scene.Point(0, 0), scene.Point(10, 0);
    TGLength& length = scene.list.AddLength();
    length.Value = value;
    scene.ChildPoint(10, {&scene.list[0], &scene.list[1], &length});
    const std::vector<std::string> lines = Lines(Record(scene, {0, 1}, {3}));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[5], std::string("5;;0;0;1;0;1;0;3:;;") + stored + ";") << value;
    EXPECT_EQ(lines[6], "1;A3;1;0;1;0;0;10;;0:1:2:;");
    ASSERT_TRUE(ApplyMacroBytes(FileOf(lines), scene.list, {&scene.list[0], &scene.list[1]}).ok);
    EXPECT_EQ(static_cast<const TGLength&>(scene.list[4]).Value, std::stod(stored));
  }
}

TEST(MacroRecord, SuperfluousArgumentKeptHiddenOrDropped) {
  for (bool drop : {false, true}) {
    LineScene scene;
    scene.Point(0, 0), scene.Point(5, 5), scene.Point(10, 0);
    scene.ChildPoint(9, {&scene.list[0], &scene.list[2]});
    const std::vector<std::string> lines = Lines(Record(scene, {0, 1, 2}, {3}, nullptr, drop));
    if (drop) {
      EXPECT_EQ(lines[4], "End");
      EXPECT_EQ(lines[5], "1;A4;1;0;1;0;0;9;;0:1:;");
    } else {
      EXPECT_EQ(lines[3], "1подсказка 1;A2;1;0;1;0;1;0;;;");
      EXPECT_EQ(lines[6], "1;A4;1;0;1;0;0;9;;0:2:;");
    }
  }
}

TEST(MacroRecord, SuperfluousQuestionNamesTheUnusedArguments) {
  LineScene scene;
  scene.Point(0, 0), scene.Point(5, 5), scene.Point(10, 0);
  scene.ChildPoint(9, {&scene.list[0], &scene.list[0]});
  MacroRecording recording;
  recording.phase = MacroPhase::Arguments;
  for (int a : {0, 1, 2}) RegisterMacroPick(scene.list, recording, a);
  recording.phase = MacroPhase::Results;
  RegisterMacroPick(scene.list, recording, 3);
  std::string asked;
  EXPECT_TRUE(CheckMacro(scene.list, recording, [&](const std::string& q) {
    asked = q;
    return false;
  }));
  EXPECT_EQ(asked, "Макрос содержит \"лишние\" аргументы A2;A3. Удалить?");
}

TEST(MacroRecord, ResultsThatDoNotRestOnArgumentsAreRefused) {
  struct Case {
    const char* what;
    std::vector<int> arguments;
    int result;
  };
  // 0, 1 free points; 2 a length; 3 point at distance from 0, 1 by 2;
  // 4 a free line with 5 its child built from it and point 0.
  for (const Case& c :
       {Case{"a free parent is not an argument", {0}, 3},
        Case{"the result is free itself", {0, 1}, 1}, Case{"a free line below the result", {0}, 5},
        Case{"only a value is used", {0}, 2}}) {
    LineScene scene;
    scene.Point(0, 0), scene.Point(10, 0);
    TGLength& length = scene.list.AddLength();
    scene.ChildPoint(10, {&scene.list[0], &scene.list[1], &length});
    scene.FreeLine(0, 0, 5, 5);
    scene.Line(102, {&scene.list[0], &scene.list[4]});
    bool checked = true;
    Record(scene, c.arguments, {c.result}, &checked);
    EXPECT_FALSE(checked) << c.what;
  }
}

TEST(MacroApply, ArgumentChosenTwiceLinksOnlyItsLastPosition) {
  LineScene scene;
  scene.Point(0, 0), scene.Point(10, 0);
  scene.ChildPoint(9, {&scene.list[0], &scene.list[1]});
  const std::string bytes = Record(scene, {0, 1, 0}, {2});
  TGPoint& p = scene.Point(100, 0);
  scene.Point(200, 0), scene.Point(300, 0);
  ASSERT_TRUE(ApplyMacroBytes(bytes, scene.list, {&p, &scene.list[4], &scene.list[5]}).ok);
  TGObject& made = scene.list[6];
  EXPECT_TRUE(p.Children.empty());
  EXPECT_EQ(made.Parents, (std::vector<TGObject*>{&scene.list[5], &scene.list[4]}));
  EXPECT_DOUBLE_EQ(static_cast<TGPoint&>(made).X, 250);
  scene.list.DeleteWithDescendants(3);  // must not leave a dangling child behind
  scene.list.DeleteWithDescendants(4);
  EXPECT_EQ(scene.list.size(), 4u);
}

TEST(MacroApply, MalformedFileCreatesNothing) {
  const std::string arg = "1;A;1;0;1;0;0;0;2:;;";
  const std::string mid = "1;M;1;0;1;0;0;9;;0:1:;";
  struct Case {
    const char* what;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"no End line", {"ZelmoraMacros2.0", "m", arg, arg}},
      {"argument without a kind", {"ZelmoraMacros2.0", "m", "x;", "End"}},
      {"unknown kind", {"ZelmoraMacros2.0", "m", arg, arg, "End", "7;M;1;0;1;0;0;9;;0:1:;"}},
      {"record cut short", {"ZelmoraMacros2.0", "m", arg, arg, "End", "1;M;1;0"}},
      {"parent outside", {"ZelmoraMacros2.0", "m", arg, arg, "End", "1;M;1;0;1;0;0;9;;0:5:;"}},
      {"child outside", {"ZelmoraMacros2.0", "m", "1;A;1;0;1;0;0;0;9:;;", arg, "End", mid}},
      {"parent of the wrong kind",
       {"ZelmoraMacros2.0", "m", arg, "2;b;1;0;1;0;0;0;0;0;1;2:;;", "End", mid}},
      {"too few parents", {"ZelmoraMacros2.0", "m", arg, arg, "End", "1;M;1;0;1;0;0;9;;0:;"}},
      {"children disagree", {"ZelmoraMacros2.0", "m", arg, "1;A;1;0;1;0;0;0;;;", "End", mid}},
      {"cycle",
       {"ZelmoraMacros2.0", "m", arg, arg, "End", "1;M;1;0;1;0;0;9;3:;0:3:;",
        "1;N;1;0;1;0;0;9;2:;2:1:;"}},
      {"argument with parents",
       {"ZelmoraMacros2.0", "m", "1;A;1;0;1;0;0;0;2:;1:;", arg, "End", mid}},
  };
  for (const Case& c : cases) {
    LineScene scene;
    scene.Point(0, 0), scene.Point(10, 0);
    scene.list.ClearModified();
    const std::string bytes = FileOf(c.lines);
    EXPECT_FALSE(ReadMacroHeader(bytes).header.has_value()) << c.what;
    EXPECT_FALSE(ApplyMacroBytes(bytes, scene.list, {&scene.list[0], &scene.list[1]}).ok) << c.what;
    EXPECT_EQ(scene.list.size(), 2u) << c.what;
    EXPECT_TRUE(scene.list[0].Children.empty()) << c.what;
    EXPECT_EQ(scene.list.pointCounter, 2) << c.what;
    EXPECT_FALSE(scene.list.Modified()) << c.what;
  }
  LineScene scene;
  scene.Point(0, 0), scene.Point(10, 0);
  EXPECT_TRUE(ApplyMacroBytes(FileOf({"ZelmoraMacros2.0", "m", arg, arg, "End", mid}), scene.list,
                              {&scene.list[0], &scene.list[1]})
                  .ok);
}

TEST(MacroApply, TypedTextThatWouldBreakTheFileReadsBack) {
  LineScene scene;
  scene.Point(0, 0), scene.Point(10, 0);
  scene.ChildPoint(9, {&scene.list[0], &scene.list[1]});
  MacroRecording recording;
  recording.phase = MacroPhase::Arguments;
  RegisterMacroPick(scene.list, recording, 0);
  RegisterMacroPick(scene.list, recording, 1);
  recording.hints = {"первая; с точкой\r\nи строкой", ""};
  recording.phase = MacroPhase::Results;
  RegisterMacroPick(scene.list, recording, 2);
  recording.name = "имя;с\nпереносом";
  ASSERT_TRUE(CheckMacro(scene.list, recording, {}));
  const std::string bytes =
      WriteMacro(scene.list, {recording.name, recording.arguments, recording.hints, false});
  const MacroRead read = ReadMacroHeader(bytes);
  ASSERT_TRUE(read.header.has_value()) << read.detail;
  EXPECT_EQ(read.header->name, "имя,с,переносом");
  EXPECT_EQ(read.header->arguments[0].hint, "первая, с точкой,и строкой");
}

TEST(MacroApply, FailedWriteKeepsTheRecordingAndMissingFilesGiveTheirErrors) {
  LineScene scene;
  scene.Point(0, 0), scene.Point(10, 0);
  scene.ChildPoint(9, {&scene.list[0], &scene.list[1]});
  MacroRecording recording;
  recording.phase = MacroPhase::Arguments;
  RegisterMacroPick(scene.list, recording, 0);
  recording.phase = MacroPhase::Results;
  RegisterMacroPick(scene.list, recording, 2);
  scene.list[1].Mark = kMacroArgument;
  recording.arguments.push_back(1);
  ASSERT_TRUE(CheckMacro(scene.list, recording, {}));
  EXPECT_FALSE(SaveMacro(scene.list, recording, "/nonexistent-folder/m.zmm").ok);
  EXPECT_EQ(recording.arguments.size(), 2u);
  EXPECT_EQ(scene.list[2].Mark, kMacroResult);

  MacroApplication application;
  EXPECT_EQ(BeginMacroApplication("/nonexistent-folder/m.zmm", application).error, 7);
  EXPECT_EQ(ApplyMacro("/nonexistent-folder/m.zmm", scene.list, {0, 1}).error, 5);
}

TEST(MacroRecord, NameProposedFromTheFileName) {
  for (auto [path, name] : {std::pair{"/home/u/Macros/Triangle.zmm", "Triangle"},
                            {"Треугольник.zmm", "Треугольник"},
                            {"/a/Triangle", "Tria"},
                            {"/a/abc", ""}}) {
    EXPECT_EQ(MacroNameFromPath(path), name) << path;
  }
}

}  // namespace
}  // namespace zelmora
