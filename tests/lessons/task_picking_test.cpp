// A teacher picks a task's givens and targets on the drawing: the clicks
// reach the editor as they do from the window, and what comes out is the
// task `zelmora-cli make-task` makes of the same object numbers.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "interaction/editor.h"
#include "interaction/modes/task_pick_mode.h"
#include "lessons/sketch.h"
#include "lessons/task_file.h"
#include "lessons/task_making.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

using M = ConstructionMethod;

// The window's side: a task must be makeable of the picks, as the window
// checks before its form opens; the teacher mends the givens when a target
// rests on an object that is not given.
struct FakePort : TaskPickPort {
  explicit FakePort(const ObjectList& drawing) : drawing(drawing) {}
  void ShowTaskPickBar(TaskPickPhase phase, const std::string&) override { bar = phase; }
  void HideTaskPickBar() override { bar.reset(); }
  std::optional<TaskPickPhase> RefusePicks(const TaskPicks& p) override {
    Task task;
    const MakeTaskResult made = MakeTask(drawing, p.givens, p.targets, task);
    if (made.ok) return std::nullopt;
    return made.restsOn >= 0 ? TaskPickPhase::Givens : TaskPickPhase::Targets;
  }
  void TaskPicked(const TaskPicks& p) override { picked = p; }

  const ObjectList& drawing;
  std::optional<TaskPickPhase> bar;
  std::optional<TaskPicks> picked;
};

// A at (100, 100), B at (300, 100), their midpoint M at (200, 100), P free
// at (200, 300); empty space at (600, 500). Enter and Escape are keys, not clicks.
struct Click {
  int x, y;
};
constexpr Click kA{100, 100}, kB{300, 100}, kM{200, 100}, kP{200, 300}, kEmpty{600, 500};
constexpr Click kEnter{0, -1}, kEscape{0, -2};

struct PickCase {
  const char* name;
  std::vector<Click> clicks;
  std::optional<TaskPicks> picked;  // nothing: still picking, or cancelled
  InteractionState state;
  const char* prompt;  // a part of the last prompt
};

const PickCase kCases[] = {
    {"givens in the order clicked, then the target",
     {kB, kA, kEnter, kM, kEnter},
     TaskPicks{{1, 0}, {2}},
     InteractionState::Normal,
     ""},
    {"a click on empty space picks nothing",
     {kEmpty, kEnter},
     std::nullopt,
     InteractionState::TaskPick,
     "хотя бы одно данное"},
    {"a second click takes a pick back",
     {kA, kP, kP, kB, kEnter, kM, kM, kM, kEnter},
     TaskPicks{{0, 1}, {2}},
     InteractionState::Normal,
     ""},
    {"a given is refused as a target",
     {kA, kB, kEnter, kA},
     std::nullopt,
     InteractionState::TaskPick,
     "«A» — уже данное"},
    {"a target resting on a point not given goes back to the givens, the target kept",
     {kA, kEnter, kM, kEnter, kM, kB, kEnter, kEnter},
     TaskPicks{{0, 1}, {2}},
     InteractionState::Normal,
     ""},
    {"Escape gives the picking up",
     {kA, kB, kEnter, kM, kEscape},
     std::nullopt,
     InteractionState::Normal,
     ""},
};

TEST(TaskPicking, ClicksOnTheDrawingMakeTheTaskOfTheCommandLine) {
  for (const PickCase& c : kCases) {
    SCOPED_TRACE(c.name);
    testing::FakeEditorView view;
    testing::TableConstructionTables tables;
    Editor editor(view, tables);
    editor.Resize(800, 600, 1000, 700);
    test::Sketch s;
    s.Point(100, 100, "A");
    s.Point(300, 100, "B");
    s.Build(M::Midpoint, {&s.list[0], &s.list[1]}).Name = "M";
    s.Point(200, 300, "P");
    editor.Objects().Swap(s.list);
    FakePort port(editor.Objects());
    editor.StartTaskPicking(port);
    for (const Click& click : c.clicks) {
      if (click.y >= 0) editor.MouseDown(MouseButton::Left, {}, click.x, click.y);
      if (click.y == kEnter.y) editor.KeyDown(Key::Enter, {});
      if (click.y == kEscape.y) editor.KeyDown(Key::Escape, {});
    }
    EXPECT_EQ(editor.State(), c.state);
    EXPECT_EQ(port.bar.has_value(), c.state == InteractionState::TaskPick);
    EXPECT_EQ(view.blinking, c.state == InteractionState::TaskPick);
    EXPECT_NE(view.prompt.find(c.prompt), std::string::npos) << view.prompt;
    ASSERT_EQ(port.picked.has_value(), c.picked.has_value());
    if (!c.picked) continue;
    EXPECT_EQ(port.picked->givens, c.picked->givens);
    EXPECT_EQ(port.picked->targets, c.picked->targets);
    // make-task --givens 0,1 --targets 2: the same file.
    Task fromClicks, fromNumbers;
    ASSERT_TRUE(
        MakeTask(editor.Objects(), port.picked->givens, port.picked->targets, fromClicks).ok);
    ASSERT_TRUE(MakeTask(editor.Objects(), {0, 1}, {2}, fromNumbers).ok);
    EXPECT_EQ(WriteTask(fromClicks), WriteTask(fromNumbers));
  }
}

}  // namespace
}  // namespace zelmora
