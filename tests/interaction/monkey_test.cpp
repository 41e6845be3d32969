// A monkey at the editor: random presses, drags, keys and commands on the
// shipped drawings and on drawings it builds itself, with the drawing checked
// after every action. A fixed set of seeds runs with the suite;
// ZELMORA_MONKEY_SECONDS=N keeps going with new seeds for N seconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "interaction/editor.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

constexpr int kSurfaceWidth = 800, kSurfaceHeight = 600;

constexpr InteractionState kPictureModes[] = {
    InteractionState::ZoomMode, InteractionState::TranslateMode, InteractionState::RotateMode,
    InteractionState::PointSymmetryMode, InteractionState::LineSymmetryMode};

// What is wrong with the drawing's links, or "".
std::string BrokenLinks(const ObjectList& list) {
  auto inList = [&list](const TGObject* o) {
    return o != nullptr && o->Index() >= 0 && static_cast<std::size_t>(o->Index()) < list.size() &&
           &list[static_cast<std::size_t>(o->Index())] == o;
  };
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGObject& object = list[i];
    if (object.Index() != static_cast<int>(i))
      return "object " + std::to_string(i) + " misnumbered";
    for (const auto* group : {&object.Parents, &object.Children, &object.Incident}) {
      for (const TGObject* other : *group) {
        if (!inList(other)) return "object " + std::to_string(i) + " links outside the drawing";
      }
    }
    for (const TGObject* parent : object.Parents) {
      const auto up = std::count(object.Parents.begin(), object.Parents.end(), parent);
      const auto down = std::count(parent->Children.begin(), parent->Children.end(), &object);
      if (up != down) {
        return "object " + std::to_string(i) + " and its parent " +
               std::to_string(parent->Index()) + " disagree";
      }
    }
    for (const TGObject* child : object.Children) {
      if (std::find(child->Parents.begin(), child->Parents.end(), &object) ==
          child->Parents.end()) {
        return "object " + std::to_string(i) + " lists child " + std::to_string(child->Index()) +
               ", which does not list it";
      }
    }
  }
  return {};
}

// A record as it must survive a save and a load. A constructed object's
// stored position is truncated and computed afresh on loading, so its
// geometry and Defined flag may move by a pixel; the rest may not.
std::vector<std::string> Comparable(const ObjectList& list) {
  std::vector<std::string> lines;
  std::istringstream in(WritePlane(list, {}));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGObject& o = list[i];
    if (o.Parents.empty()) continue;
    std::ostringstream record;
    record << o.Kind() << '|' << o.Name << '|' << Number(o.Method) << '|' << o.Color << '|'
           << o.Width << '|' << o.PenStyle << '|' << o.NameVisible << o.MustDraw << o.Hidden << '|';
    for (const TGObject* p : o.Parents) record << p->Index() << ':';
    record << '|';
    for (const TGObject* c : o.Children) record << c->Index() << ':';
    lines[3 + i] = record.str();  // after the magic, author and comment count
  }
  return lines;
}

class Monkey {
 public:
  explicit Monkey(unsigned seed) : random_(seed) {
    editor_.Resize(kSurfaceWidth, kSurfaceHeight, kSurfaceWidth + 200, kSurfaceHeight + 150);
  }

  Editor& editor() { return editor_; }

  // One random action; its description goes to the log.
  void Act() {
    const int x = X(), y = Y();
    switch (Pick(23)) {
      case 0:
      case 1:
      case 2: {  // a click, often on an object
        const MouseButton button = Chance(6) ? MouseButton::Right : MouseButton::Left;
        const Modifiers mods = Mods();
        Log("click", x, y);
        editor_.MouseDown(button, mods, x, y);
        editor_.MouseUp(button, mods, x, y);
        break;
      }
      case 3:
      case 4: {  // a drag
        const Modifiers mods = Mods();
        Log("drag from", x, y);
        editor_.MouseDown(MouseButton::Left, mods, x, y);
        Modifiers held = mods;
        held.left = true;
        for (int steps = Pick(6); steps >= 0; --steps) editor_.MouseMove(held, X(), Y());
        editor_.MouseUp(MouseButton::Left, mods, X(), Y());
        break;
      }
      case 5:
        Log("move", x, y);
        editor_.MouseMove(Mods(), x, y);
        break;
      case 6:
      case 7: {
        const auto key = static_cast<Key>(Pick(static_cast<int>(Key::Other) + 1));
        Log("key", static_cast<int>(key));
        editor_.KeyDown(key, Mods());
        break;
      }
      case 8:
      case 9: {
        const Command command = RandomCommand();
        Log("create", static_cast<int>(command));
        view_.parameterAnswers = {Value()};
        editor_.StartCreation(command);
        break;
      }
      case 10: {
        const auto kind = static_cast<NewObjectKind>(Pick(3));
        Log("new object dialog", static_cast<int>(kind));
        view_.newObjectAnswers = {Chance(5) ? std::nullopt
                                            : std::optional<Command>(RandomCommand())};
        view_.parameterAnswers = {Value()};
        editor_.NewObjectDialog(kind);
        break;
      }
      case 11: {
        const InteractionState mode = kPictureModes[Pick(std::size(kPictureModes))];
        Log("mode", static_cast<int>(mode));
        editor_.ToggleMode(mode);
        break;
      }
      case 12:
        Log("delete selected");
        editor_.DeleteSelected();
        break;
      case 13:
        Log("return to normal");
        editor_.ReturnToNormal();
        break;
      case 14:
        Log("timer");
        editor_.TimerTick();
        if (editor_.ZoomLoopActive()) editor_.ZoomStep();
        break;
      case 15:
        if (!view_.popup.empty()) {
          const int tag = view_.popup[Pick(view_.popup.size())].tag;
          Log("popup choice", tag);
          editor_.MenuSelect(tag);
        }
        break;
      case 16:
        if (const int n = static_cast<int>(editor_.Objects().size()); n > 0) {
          const int index = Pick(n);
          Log("stale popup choice", index);  // the drawing may have changed under the menu
          editor_.MenuSelect(index);
        }
        break;
      case 17:
        if (const int n = static_cast<int>(editor_.Objects().size()); n > 0) {
          const int index = Pick(n);
          Log("select object", index);
          editor_.ObjectSelect(index);
        }
        break;
      case 18:
        Log(Chance(2) ? "show all" : "label control");
        log_.back() == "show all" ? editor_.ToggleShowAll() : editor_.ToggleLabelControl();
        break;
      case 19:
        Log("leave");
        editor_.MouseLeave();
        break;
      case 20:
        Log("repaint");
        editor_.Repaint();
        break;
      case 21:
        if (Chance(40)) {
          Log("clear");
          editor_.ClearDrawing();
        }
        break;
      case 22: {
        // A lesson's tool set, taken away or given back at any moment.
        CommandSet enabled = CommandSet::All();
        for (const CommandInfo& c : kCommands) {
          if (Chance(3)) enabled.Remove(c.command);
        }
        Log("enabled commands changed");
        editor_.SetEnabledCommands(Chance(4) ? CommandSet::All() : enabled);
        break;
      }
    }
    view_.canvas.calls.clear();  // a long run would otherwise keep every paint
  }

  std::string Recent() const {
    std::string out;
    for (const std::string& line : log_) out += "  " + line + "\n";
    return out;
  }

 private:
  int Pick(std::size_t n) { return static_cast<int>(random_() % n); }
  bool Chance(int oneIn) { return Pick(static_cast<std::size_t>(oneIn)) == 0; }
  Command RandomCommand() {
    return kCommands[static_cast<std::size_t>(Pick(kCommandCount))].command;
  }
  Modifiers Mods() { return {.shift = Chance(4), .ctrl = Chance(8)}; }
  double Value() {
    const double values[] = {0, 30, 45, 90, 180, -60, 1e-9, 1e6, 250.5};
    return values[Pick(std::size(values))];
  }

  // A position on the surface, usually on or near an object, now and then
  // far outside.
  std::pair<int, int> Position() {
    const ObjectList& list = editor_.Objects();
    if (!list.empty() && !Chance(3)) {
      const TGObject& o = list[static_cast<std::size_t>(Pick(list.size()))];
      double px = 0, py = 0;
      if (const auto* p = dynamic_cast<const TGPoint*>(&o)) {
        px = p->X, py = p->Y;
      } else if (const auto* l = dynamic_cast<const TGLine*>(&o)) {
        px = (l->X1 + l->X2) / 2, py = (l->Y1 + l->Y2) / 2;
      } else if (const auto* c = dynamic_cast<const TGCircle*>(&o)) {
        px = c->CX + c->R, py = c->CY;
      }
      if (std::abs(px) < 1e6 && std::abs(py) < 1e6) {
        return {static_cast<int>(px) + Pick(5) - 2, static_cast<int>(py) + Pick(5) - 2};
      }
    }
    if (Chance(30)) return {Pick(20000) - 10000, Pick(20000) - 10000};
    return {Pick(kSurfaceWidth + 40) - 20, Pick(kSurfaceHeight + 40) - 20};
  }
  int X() {
    next_ = Position();
    return next_.first;
  }
  int Y() { return next_.second; }

  template <class... Args>
  void Log(const char* what, Args... args) {
    std::ostringstream line;
    line << what;
    ((line << ' ' << args), ...);
    log_.push_back(line.str());
    if (log_.size() > 30) log_.pop_front();
  }

  std::mt19937 random_;
  testing::FakeEditorView view_;
  testing::TableConstructionTables tables_;
  Editor editor_{view_, tables_};
  std::pair<int, int> next_{0, 0};
  std::deque<std::string> log_;
};

// What must hold after every action; "" when all does.
std::string CheckDrawing(Editor& editor, bool roundTrip) {
  const ObjectList& list = editor.Objects();
  if (std::string broken = BrokenLinks(list); !broken.empty()) return broken;
  if (editor.Selected() < -1 || editor.Selected() >= static_cast<int>(list.size())) {
    return "selection " + std::to_string(editor.Selected()) + " outside the drawing";
  }
  if (!roundTrip) return {};
  const std::string bytes = WritePlane(list, {});
  ObjectList loaded;
  DocumentInfo info;
  const LoadResult result = ReadPlane(bytes, loaded, info);
  if (!result.ok()) return "the saved drawing does not load: " + result.detail;
  if (Comparable(loaded) != Comparable(list)) {
    return "the saved drawing loads as another drawing";
  }
  return {};
}

// Runs `steps` actions from `seed` on a drawing `start` prepares; the first
// fault ends the run with the actions that led to it.
void RunMonkey(unsigned seed, int steps, const fs::path& start = {}) {
  Monkey monkey(seed);
  if (!start.empty()) {
    DocumentInfo info;
    ASSERT_TRUE(LoadPlane(start, monkey.editor().Objects(), info).ok()) << start;
  }
  for (int step = 0; step < steps; ++step) {
    std::string fault;
    try {
      monkey.Act();
      fault = CheckDrawing(monkey.editor(), step % 4 == 0);
    } catch (const std::exception& e) {
      fault = std::string("threw: ") + e.what();
    }
    if (!fault.empty()) {
      FAIL() << "seed " << seed << ", step " << step << " " << start.filename() << ": " << fault
             << "\nlast actions:\n"
             << monkey.Recent();
    }
  }
}

std::vector<fs::path> ExampleDrawings() {
  std::vector<fs::path> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(ZELMORA_BIN_DIR) / "Saves", error)) {
    if (entry.path().extension() == ".zms") found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

class MonkeyOnNewDrawing : public ::testing::TestWithParam<unsigned> {};

TEST_P(MonkeyOnNewDrawing, KeepsTheDrawingWhole) {
  RunMonkey(GetParam(), 1500);
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyOnNewDrawing, ::testing::Range(1u, 17u));

TEST(MonkeyOnExamples, KeepsEveryShippedDrawingWhole) {
  const auto examples = ExampleDrawings();
  ASSERT_FALSE(examples.empty()) << "the build places the example drawings in Saves/";
  unsigned seed = 100;
  for (const fs::path& example : examples) {
    for (int run = 0; run < 3; ++run) RunMonkey(seed++, 800, example);
  }
}

// For soak runs: new seeds, alternating between new and shipped drawings,
// until the time is up.
TEST(MonkeySoak, RunsForTheSecondsAsked) {
  const char* asked = std::getenv("ZELMORA_MONKEY_SECONDS");
  if (asked == nullptr) GTEST_SKIP() << "set ZELMORA_MONKEY_SECONDS to run";
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(asked));
  const auto examples = ExampleDrawings();
  unsigned seed = std::random_device{}();
  int runs = 0;
  while (std::chrono::steady_clock::now() < end && !HasFailure()) {
    const bool onExample = !examples.empty() && seed % 2 == 0;
    RunMonkey(seed, 2000, onExample ? examples[seed / 2 % examples.size()] : fs::path());
    ++seed;
    ++runs;
  }
  std::printf("monkey: %d runs of 2000 actions\n", runs);
}

}  // namespace
}  // namespace zelmora
