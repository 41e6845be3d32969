#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document/line_code.h"
#include "document/macro_file.h"
#include "lessons/macro_tools.h"
#include "lessons/sketch.h"
#include "lessons/task_file.h"
#include "lessons/task_making.h"

namespace zelmora {
namespace {

using test::Sketch;
using M = ConstructionMethod;

// A, B given; C free; the midpoint of AB, the circle about it through C.
void Drawing(Sketch& s) {
  s.Point(100, 100, "A");
  s.Point(300, 100, "B");
  s.Point(200, 50, "C");
  TGObject& m = s.Build(M::Midpoint, {&s.list[0], &s.list[1]});
  m.Name = std::string(1, 'M');
  s.Build(M::CircleByCentreAndPoint, {&m, &s.list[2]});
}

TEST(TaskFile, KeepsEverythingATeacherWroteAndHidesTheAnswer) {
  Sketch s;
  Drawing(s);
  Task task;
  task.title = "Середина отрезка";
  task.statement = {"Дан отрезок AB.", "Постройте его середину."};
  task.hints = {"Проведите две окружности.", "Где они пересекаются?"};
  task.allowed = CompassRulerMethods();
  task.maxSteps = 3;
  task.maxElementary = 4;
  ASSERT_TRUE(MakeTask(s.list, {1, 0}, {3}, task).ok);
  const std::string bytes = WriteTask(task);
  EXPECT_EQ(bytes.find("Midpoint"), std::string::npos);
  EXPECT_EQ(bytes.find(";9;"), std::string::npos) << "the midpoint's method shows in clear";

  Task read;
  ASSERT_TRUE(ReadTask(bytes, read).ok);
  EXPECT_EQ(read.title, task.title);
  EXPECT_EQ(read.statement, task.statement);
  EXPECT_EQ(read.hints, task.hints);
  EXPECT_EQ(read.allowed, task.allowed);
  EXPECT_EQ(read.maxSteps, 3);
  EXPECT_EQ(read.maxElementary, 4);
  // The givens keep the drawing's order; C, on which nothing asked rests, is gone.
  ASSERT_EQ(read.givenCount, 2u);
  ASSERT_EQ(read.construction.size(), 3u);
  EXPECT_EQ(read.construction[0].Name, "A");
  EXPECT_EQ(read.construction[read.targets.at(0)].Name, "M");
  EXPECT_EQ(WriteTask(read), bytes);
}

TEST(TaskFile, RefusesATargetThatRestsOnAPointNotGiven) {
  Sketch s;
  Drawing(s);
  Task task;
  const MakeTaskResult made = MakeTask(s.list, {0, 1}, {4}, task);
  EXPECT_FALSE(made.ok);
  EXPECT_EQ(made.notDependent, 4);
  EXPECT_NE(made.error.find("object 2"), std::string::npos) << made.error;
}

TEST(TaskFile, RefusesDamagedFilesWithAReason) {
  Sketch s;
  Drawing(s);
  Task task;
  ASSERT_TRUE(MakeTask(s.list, {0, 1}, {3}, task).ok);
  const std::string good = WriteTask(task);
  const std::size_t header = good.find('\n') + 1;
  const std::size_t headerEnd = good.find('\r', header);
  auto withHeader = [&](const std::string& record) {
    return good.substr(0, header) + EncodeLine(record) + good.substr(headerEnd);
  };
  for (const std::string& bad : {std::string("ZelmoraSaveFile 2.0\r\n"), good.substr(0, header + 3),
                                 withHeader("2;5:;;-1;-1;0;"), withHeader("3;3:;;-1;-1;0;"),
                                 withHeader("2;1:;;-1;-1;0;"), withHeader("2;2:;77:;-1;-1;0;"),
                                 withHeader("2;2:;;-5;-1;0;"), withHeader("2;2:;;-1;-1;9;")}) {
    Task read;
    read.title = "unchanged";
    const TaskLoadResult loaded = ReadTask(bad, read);
    EXPECT_FALSE(loaded.ok) << bad;
    EXPECT_FALSE(loaded.detail.empty());
    EXPECT_EQ(read.title, "unchanged");
  }
}

}  // namespace
}  // namespace zelmora

namespace zelmora {
namespace {

// The shipped macros in a lesson of a ruler and a compass: the perpendicular
// bisector is built with circles and lines alone, the circumcircle with the
// bisector tool; a damaged file is never offered.
TEST(TaskMacros, ALessonOffersTheMacrosItsToolsCouldBuild) {
  Task task;
  task.allowed = CompassRulerMethods();
  const struct {
    const char* file;
    bool allowed;
  } cases[] = {{"Серединный перпендикуляр.zmm", true}, {"Описанная окружность.zmm", false}};
  for (const auto& c : cases) {
    const auto bytes =
        ReadMacroFileBytes(std::filesystem::path(ZELMORA_BIN_DIR) / "Macros" / c.file);
    ASSERT_TRUE(bytes.has_value()) << c.file;
    EXPECT_EQ(TaskAllowsMacro(task, *bytes), c.allowed) << c.file;
    EXPECT_FALSE(TaskAllowsMacro(task, bytes->substr(0, bytes->size() / 2))) << c.file;
  }
  task.allowed = AllMethods();
  EXPECT_TRUE(TaskAllowsMacro(task, *ReadMacroFileBytes(std::filesystem::path(ZELMORA_BIN_DIR) /
                                                        "Macros" / "Описанная окружность.zmm")));
}

}  // namespace
}  // namespace zelmora
