#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "geometry/graph.h"
#include "interaction/editor.h"
#include "interaction/object_properties.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

using testing::FakeEditorView;
using testing::TableConstructionTables;

constexpr Modifiers kNone{};
constexpr Modifiers kHeld{false, false, true, false};
constexpr Modifiers kCtrl{false, true, false, false};
constexpr Modifiers kCtrlShift{true, true, false, false};

void Click(Editor& editor, int x, int y, Modifiers mods = kNone) {
  editor.MouseDown(MouseButton::Left, mods, x, y);
  editor.MouseUp(MouseButton::Left, kNone, x, y);
}

void DragFromTo(Editor& editor, int x0, int y0, int x1, int y1, Modifiers mods = kNone) {
  editor.MouseDown(MouseButton::Left, mods, x0, y0);
  editor.MouseMove(kHeld, (x0 + x1) / 2, (y0 + y1) / 2);
  editor.MouseMove(kHeld, x1, y1);
  editor.MouseUp(MouseButton::Left, kNone, x1, y1);
}

class HistoryTest : public ::testing::Test {
 protected:
  HistoryTest() : editor(view, tables) {
    editor.Resize(800, 600, 1000, 700);
    editor.AttachDocumentInfo(&info);
  }

  // The file, and what the file leaves out but later constructions read:
  // whether each object is defined and what is built on it. (Incident
  // lists are rebuilt as a side effect of removing an object, and such a
  // rebuild joins whichever step is newest, so they are left out here.)
  std::string Bytes() const {
    std::string state = WritePlane(editor.Objects(), info);
    const ObjectList& objects = editor.Objects();
    for (std::size_t i = 0; i < objects.size(); ++i) {
      state += objects[i].Defined ? "\n+" : "\n-";
      for (const TGObject* o : objects[i].Children) {
        state += ' ';
        state += std::to_string(o->Index());
      }
    }
    return state;
  }
  void Click(int x, int y, Modifiers mods = kNone) { zelmora::Click(editor, x, y, mods); }
  void DragFromTo(int x0, int y0, int x1, int y1) { zelmora::DragFromTo(editor, x0, y0, x1, y1); }
  void PlacePoint(int x, int y) {
    editor.StartCreation(Command::FreePoint);
    Click(x, y);
    editor.ReturnToNormal();
  }

  FakeEditorView view;
  TableConstructionTables tables;
  DocumentInfo info;
  Editor editor;
};

// Random user actions, each through the same calls the window makes.
class RandomActions {
 public:
  RandomActions(Editor& editor, FakeEditorView& view, DocumentInfo& info, unsigned seed)
      : editor_(editor), view_(view), info_(info), random_(seed) {}

  void Run() {
    switch (Pick(9)) {
      case 0:
      case 1:
        return Create();
      case 2:
        return DragObject();
      case 3:
        return Delete();
      case 4:
        return Properties();
      case 5:
        return Keys();
      case 6:
        return PictureTool();
      case 7:
        return MoveLabel();
      default:
        return FileProperties();
    }
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  int X() { return 40 + Pick(720); }
  int Y() { return 40 + Pick(520); }
  ObjectList& Objects() { return editor_.Objects(); }
  // A place on a random object (or nowhere when there is none).
  std::pair<int, int> On(int kind = 0) {
    std::vector<int> fitting;
    for (std::size_t i = 0; i < Objects().size(); ++i) {
      if (kind == 0 || Objects()[i].Kind() == kind) fitting.push_back(static_cast<int>(i));
    }
    if (fitting.empty()) return {X(), Y()};
    const TGObject& o = Objects()[static_cast<std::size_t>(fitting[Pick(fitting.size())])];
    if (const auto* p = dynamic_cast<const TGPoint*>(&o)) return Clamped(p->X, p->Y);
    if (const auto* l = dynamic_cast<const TGLine*>(&o)) {
      return Clamped((l->X1 + l->X2) / 2, (l->Y1 + l->Y2) / 2);
    }
    if (const auto* c = dynamic_cast<const TGCircle*>(&o)) return Clamped(c->CX + c->R, c->CY);
    return {X(), Y()};
  }
  static std::pair<int, int> Clamped(double x, double y) {
    auto clamp = [](double v, int hi) { return v < 0 ? 0 : v > hi ? hi : static_cast<int>(v); };
    return {clamp(x, 800), clamp(y, 600)};
  }

  void Create() {
    const CommandInfo& command = kCommands[static_cast<std::size_t>(Pick(kCommandCount))];
    for (int i = 0; i < 4; ++i) view_.parameterAnswers.push_back(10.0 + Pick(90));
    editor_.StartCreation(command.command);
    if (command.mode != InteractionState::PickParents) {
      DragFromTo(editor_, X(), Y(), X(), Y());
    } else {
      // Stops at the first object built: the construction starts over after it.
      const std::size_t entries = editor_.ActionHistory().Entries();
      for (int press = Pick(5) + 1; press > 0 && editor_.ActionHistory().Entries() == entries;
           --press) {
        const auto [x, y] = Pick(3) == 0 ? std::pair{X(), Y()} : On();
        Click(editor_, x, y);
      }
    }
    view_.parameterAnswers.clear();
    editor_.ReturnToNormal();
  }
  void DragObject() {
    const auto [x, y] = On();
    DragFromTo(editor_, x, y, X(), Y(), Pick(2) == 0 ? Modifiers{true} : kNone);
  }
  void MoveLabel() {
    if (Objects().empty()) return;
    const TGObject& o = Objects()[static_cast<std::size_t>(Pick(Objects().size()))];
    const auto [x, y] = Clamped(o.LabelX() + 3, o.LabelY() + 3);
    DragFromTo(editor_, x, y, x + Pick(30) - 15, y + Pick(30) - 15, kCtrl);
  }
  void Delete() {
    if (Objects().empty()) return;
    editor_.ObjectSelect(Pick(Objects().size()));
    editor_.DeleteSelected();
  }
  void Properties() {
    if (Objects().empty()) return;
    const int index = Pick(Objects().size());
    if (!PropertiesDialogKind(Objects(), index)) return;
    ObjectProperties p = PropertiesShown(Objects()[static_cast<std::size_t>(index)]);
    p.name += "x";
    p.color = static_cast<Color>(Pick(0xFFFFFF));
    p.width = 1 + Pick(5);
    p.nameVisible = !p.nameVisible;
    p.endsOff = !p.endsOff;
    if (ApplyProperties(Objects(), index, p) == ApplyResult::kChanged) editor_.CommitAction();
  }
  void Keys() {
    constexpr Key keys[] = {Key::Left,   Key::Down,   Key::KeypadPlus, Key::KeypadMinus,
                            Key::Digit0, Key::Digit3, Key::V};
    if (!Objects().empty()) editor_.ObjectSelect(Pick(Objects().size()));
    editor_.KeyDown(keys[Pick(std::size(keys))], kCtrl);
  }
  void PictureTool() {
    constexpr InteractionState tools[] = {
        InteractionState::ZoomMode, InteractionState::TranslateMode, InteractionState::RotateMode,
        InteractionState::PointSymmetryMode, InteractionState::LineSymmetryMode};
    const InteractionState tool = tools[Pick(std::size(tools))];
    editor_.ToggleMode(tool);
    const auto [x, y] = On(tool == InteractionState::LineSymmetryMode ? kLineKind : 0);
    if (tool == InteractionState::ZoomMode) {
      editor_.MouseDown(Pick(2) == 0 ? MouseButton::Left : MouseButton::Right, kNone, x, y);
      for (int step = Pick(4); step > 0; --step) editor_.ZoomStep();
      editor_.MouseUp(MouseButton::Left, kNone, x, y);
    } else {
      DragFromTo(editor_, x, y, X(), Y());
    }
    editor_.ToggleMode(tool);
  }
  void FileProperties() {
    info_.author = "автор " + std::to_string(Pick(1000));
    if (Pick(2) == 0) info_.comment.push_back("строка");
    editor_.CommitAction("свойства файла");
  }

  Editor& editor_;
  FakeEditorView& view_;
  DocumentInfo& info_;
  std::mt19937 random_;
};

// Every step back gives the file of the drawing before the action, every
// step forward the file after it; an action that records nothing changed
// nothing in the file.
TEST_F(HistoryTest, UndoAndRedoOfRandomActionsGiveBackEveryFileExactly) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE(seed);
    editor.ClearDrawing();
    info = {};
    editor.ResetHistory();
    for (int i = 0; i < 6; ++i) PlacePoint(100 + 110 * i, 150 + 50 * (i % 3));
    editor.ResetHistory();
    std::vector<std::string> files{Bytes()};
    RandomActions actions(editor, view, info, seed);
    for (int step = 0; step < 80; ++step) {
      const std::size_t entries = editor.ActionHistory().Entries();
      actions.Run();
      ASSERT_EQ(editor.State(), InteractionState::Normal);
      if (editor.ActionHistory().Entries() > entries) {
        files.push_back(Bytes());
      } else {
        ASSERT_EQ(Bytes(), files.back()) << "unrecorded change at step " << step;
      }
    }
    for (std::size_t k = files.size() - 1; k > 0; --k) {
      editor.KeyDown(Key::Z, kCtrl);
      ASSERT_EQ(Bytes(), files[k - 1])
          << "undo to " << k - 1 << " " << editor.ActionHistory().RedoName() << " "
          << editor.ActionHistory().UndoName();
    }
    EXPECT_FALSE(editor.ActionHistory().CanUndo());
    for (std::size_t k = 1; k < files.size(); ++k) {
      editor.KeyDown(Key::Y, kCtrl);
      ASSERT_EQ(Bytes(), files[k]) << "redo to " << k;
    }
    EXPECT_FALSE(editor.ActionHistory().CanRedo());
  }
}

TEST_F(HistoryTest, KeysCancelWhatIsInProgressAndStepOnlyFromTheNormalState) {
  struct Case {
    const char* name;
    bool constructing;
    Key key;
    Modifiers mods;
    std::size_t pointsAfter;  // two placed, one undone before the key
  };
  const Case cases[] = {
      {"Ctrl+Z in a construction cancels it", true, Key::Z, kCtrl, 1},
      {"Ctrl+Z in the normal state undoes", false, Key::Z, kCtrl, 0},
      {"Ctrl+Y redoes", false, Key::Y, kCtrl, 2},
      {"Ctrl+Shift+Z redoes", false, Key::Z, kCtrlShift, 2},
      {"Z alone does nothing", false, Key::Z, kNone, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.ClearDrawing();
    PlacePoint(100, 100);
    PlacePoint(300, 100);
    editor.Undo();
    if (c.constructing) {
      editor.StartCreation(Command::Midpoint);
      Click(500, 500);  // a free point picked as the midpoint's first end
    }
    editor.KeyDown(c.key, c.mods);
    EXPECT_EQ(editor.State(), InteractionState::Normal);
    EXPECT_EQ(editor.Objects().size(), c.pointsAfter);
    EXPECT_EQ(editor.ActionHistory().Entries(), 2u);
  }
}

TEST_F(HistoryTest, EntriesAreNamedAfterWhatWasDone) {
  PlacePoint(100, 100);
  EXPECT_EQ(editor.ActionHistory().UndoName(), "создание A1");
  DragFromTo(100, 100, 200, 200);
  EXPECT_EQ(editor.ActionHistory().UndoName(), "перемещение A1");
  editor.ObjectSelect(0);
  editor.DeleteSelected();
  EXPECT_EQ(editor.ActionHistory().UndoName(), "удаление A1");
  editor.KeyDown(Key::KeypadPlus, kNone);  // nothing left to scale
  editor.Undo();
  EXPECT_EQ(editor.ActionHistory().RedoName(), "удаление A1");
}

TEST_F(HistoryTest, ModifiedMeansTheDrawingDiffersFromTheSavedOne) {
  PlacePoint(100, 100);
  editor.MarkSaved();
  EXPECT_FALSE(editor.Objects().Modified());
  DragFromTo(100, 100, 200, 200);
  EXPECT_TRUE(editor.Objects().Modified());
  editor.Undo();
  EXPECT_FALSE(editor.Objects().Modified());
  editor.Undo();
  EXPECT_TRUE(editor.Objects().Modified());
  editor.Redo();
  EXPECT_FALSE(editor.Objects().Modified());
  // A new action after an undo makes the saved drawing unreachable.
  editor.Undo();
  PlacePoint(300, 300);
  editor.Undo();
  EXPECT_TRUE(editor.Objects().Modified());
}

// A drawing read into the editor's list without a fresh history (as a test
// harness may) is one step: undo gives the drawing before it back exactly,
// and so do the steps made on the drawing read.
TEST_F(HistoryTest, ADrawingReadWithoutAFreshHistoryIsOneStep) {
  ObjectList source;
  TGPoint& a = source.AddPoint();
  TGPoint& b = source.AddPoint();
  a.X = 100, a.Y = 100, b.X = 300, b.Y = 100;
  source.Complete(a, {}, CodeOf(ConstructionMethod::FreePoint));
  source.Complete(b, {}, CodeOf(ConstructionMethod::FreePoint));
  source.Complete(source.AddPoint(), {&a, &b}, CodeOf(ConstructionMethod::Midpoint));
  PlacePoint(500, 400);
  const std::string drawn = Bytes();
  DocumentInfo read;
  ASSERT_TRUE(ReadPlane(WritePlane(source, {}), editor.Objects(), read).ok());
  editor.CommitAction();
  const std::string opened = Bytes();
  DragFromTo(100, 100, 150, 200);
  const std::string dragged = Bytes();
  ASSERT_NE(dragged, opened);
  editor.Undo();
  EXPECT_EQ(Bytes(), opened);
  editor.Undo();
  EXPECT_EQ(Bytes(), drawn);
  editor.Redo();
  editor.Redo();
  EXPECT_EQ(Bytes(), dragged);
}

TEST(HistoryBudget, OldestEntriesGoFirstAndWhatIsLeftStillUndoes) {
  ObjectList objects;
  History history(64 << 10);
  history.Reset(objects, nullptr);
  std::vector<std::string> files{WritePlane(objects, {})};
  for (int i = 0; i < 300; ++i) {
    TGPoint& p = objects.AddPoint();
    p.X = i;
    p.MustDraw = true;
    history.Commit(objects, nullptr, 0, "");
    files.push_back(WritePlane(objects, {}));
    ASSERT_LE(history.Bytes(), std::size_t{64} << 10);
  }
  const std::size_t kept = history.Entries();
  EXPECT_LT(kept, 300u);
  EXPECT_GE(kept, 100u);
  while (history.CanUndo()) history.Undo(objects, nullptr);
  EXPECT_EQ(WritePlane(objects, {}), files[300 - kept]);
}

// A step keeps the objects the action changed and nothing else. Dragging
// the start of a chain of midpoints towards a fixed point moves only the
// chain's first links (each halves the move, and some 60 links on the change
// is below a double's precision), so the step costs the same for a chain of
// 100 or of 2 000; undoing it gives the file back, and moving away and back
// within one action records nothing.
TEST(HistoryEntries, ADragKeepsOnlyWhatMoved) {
  std::vector<std::size_t> entryBytes;
  for (int length : {100, 2000}) {
    ObjectList objects;
    TGPoint& a = objects.AddPoint();
    TGPoint& b = objects.AddPoint();
    a.X = 10, a.Y = 20;
    b.X = 500;
    objects.Complete(a, {}, CodeOf(ConstructionMethod::FreePoint));
    objects.Complete(b, {}, CodeOf(ConstructionMethod::FreePoint));
    TGPoint* last = &a;
    for (int i = 0; i < length; ++i) {
      TGPoint& m = objects.AddPoint();
      objects.Complete(m, {last, &b}, CodeOf(ConstructionMethod::Midpoint));
      last = &m;
    }
    History history;
    history.Reset(objects, nullptr);
    const std::string before = WritePlane(objects, {});
    DragSession drag(a);
    drag.DragTo(50, 70);
    drag.DragTo(30, 40);
    ASSERT_TRUE(history.Commit(objects, nullptr, 0, "перемещение"));
    entryBytes.push_back(history.NewestEntryBytes());
    history.Undo(objects, nullptr);
    EXPECT_EQ(WritePlane(objects, {}), before);
    drag.DragTo(30, 40);
    drag.DragTo(10, 20);
    EXPECT_FALSE(history.Commit(objects, nullptr, 0, "перемещение"));
  }
  EXPECT_EQ(entryBytes[0], entryBytes[1]);
}

}  // namespace
}  // namespace zelmora
