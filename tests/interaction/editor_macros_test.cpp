#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "document/document_file.h"
#include "document/macro_file.h"
#include "interaction/editor.h"
#include "interaction/macro_modes.h"
#include "support/fake_editor_view.h"
#include "support/temp_folder.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;
using testing::FakeEditorView;
using testing::TableConstructionTables;

// Answers the recording's dialogs from queues filled in advance; an empty
// hint queue cancels the hint dialog.
class FakeMacroDialogs : public MacroDialogs {
 public:
  std::optional<std::string> AskArgumentHint(int kind) override {
    hintKinds.push_back(kind);
    if (hints.empty()) return std::nullopt;
    auto hint = hints.front();
    hints.pop_front();
    return hint;
  }
  bool AskYesNo(const std::string&, const std::string& question) override {
    questions.push_back(question);
    return false;
  }
  std::optional<std::string> AskMacroPath() override { return path; }
  std::string AskMacroName(const std::string& proposed) override {
    proposedName = proposed;
    return name;
  }
  void ShowSelectionPanel(int mode) override { panels.push_back(mode); }
  void ReportFailure(const std::string& text) override { failures.push_back(text); }

  std::deque<std::optional<std::string>> hints;
  std::vector<int> hintKinds;
  std::vector<std::string> questions;
  std::optional<std::string> path;
  std::string proposedName, name = "Середина";
  std::vector<int> panels;
  std::vector<std::string> failures;
};

class EditorMacroTest : public ::testing::Test {
 protected:
  EditorMacroTest() : editor(view, tables) {
    editor.Resize(800, 600, 1000, 700);
    editor.SetMacroDialogs(&dialogs);
    folder = testing::FreshTempFolder("editor-macro");
    dialogs.path = (folder / "Середина.zmm").string();
    for (auto [x, y] : {std::pair{100, 100}, {300, 100}}) {
      TGPoint& p = editor.Objects().AddPoint();
      p.X = x, p.Y = y, p.MustDraw = true;
    }
    TGPoint& m = editor.Objects().AddPoint();
    editor.Objects().Complete(m, {&editor.Objects()[0], &editor.Objects()[1]},
                              CodeOf(ConstructionMethod::Midpoint));
  }
  ~EditorMacroTest() override { fs::remove_all(folder); }
  void Press(int x, int y) { editor.MouseDown(MouseButton::Left, {}, x, y); }
  void RecordMidpoint() {
    editor.StartMacroRecording();
    dialogs.hints = {"Первая", std::nullopt, "Вторая"};
    Press(100, 100);
    Press(300, 100);  // hint dialog cancelled: the argument is withdrawn
    Press(300, 100);
    editor.MacroPanelAction();
    Press(200, 100);
    editor.MacroPanelAction();
  }

  FakeEditorView view;
  TableConstructionTables tables;
  FakeMacroDialogs dialogs;
  Editor editor;
  fs::path folder;
};

TEST_F(EditorMacroTest, RecordedOnThePlaneAndAppliedFromTheMenu) {
  RecordMidpoint();
  EXPECT_EQ(editor.State(), InteractionState::Normal);
  EXPECT_EQ(dialogs.panels, (std::vector<int>{5, 6, 0}));
  EXPECT_EQ(dialogs.proposedName, "Середина");
  EXPECT_EQ(dialogs.questions.size(), 1u);  // rename-on-load only: no argument is superfluous
  EXPECT_TRUE(dialogs.failures.empty());
  const MacroRead read = ReadMacroHeader(*ReadMacroFileBytes(*dialogs.path));
  ASSERT_TRUE(read.header.has_value()) << read.detail;
  ASSERT_EQ(read.header->arguments.size(), 2u);
  EXPECT_EQ(read.header->arguments[1].hint, "Вторая");
  for (std::size_t i = 0; i < editor.Objects().size(); ++i) EXPECT_EQ(editor.Objects()[i].Mark, 0);

  editor.StartMacroApplication(*dialogs.path);
  EXPECT_EQ(editor.State(), InteractionState::MacroApply);
  EXPECT_EQ(view.prompt, "Первая");
  Press(500, 400);  // beside every object: a new free point
  EXPECT_EQ(view.prompt, "Вторая");
  Press(300, 100);
  EXPECT_EQ(editor.State(), InteractionState::Normal);
  ASSERT_EQ(editor.Objects().size(), 5u);
  const auto& made = static_cast<const TGPoint&>(editor.Objects()[4]);
  EXPECT_DOUBLE_EQ(made.X, 400);
  EXPECT_DOUBLE_EQ(made.Y, 250);
  EXPECT_TRUE(view.errors.empty());

  // The application, with the free point made for it, is one step back.
  editor.Undo();
  EXPECT_EQ(editor.Objects().size(), 3u);
}

// A macro applied to objects of the drawing links them to what it builds;
// a step back gives the file and what is built on each object back, a step
// forward the drawing as the macro left it.
TEST_F(EditorMacroTest, ApplicationOnObjectsOfTheDrawingStepsBackAndForthExactly) {
  RecordMidpoint();
  const auto state = [this] {
    std::string s = WritePlane(editor.Objects(), {});
    for (std::size_t i = 0; i < editor.Objects().size(); ++i) {
      for (const TGObject* child : editor.Objects()[i].Children) {
        s += ' ' + std::to_string(child->Index());
      }
      s += ';';
    }
    return s;
  };
  const std::string before = state();
  editor.StartMacroApplication(*dialogs.path);
  Press(100, 100);
  Press(300, 100);
  ASSERT_EQ(editor.Objects().size(), 4u);
  const std::string after = state();
  editor.Undo();
  EXPECT_EQ(state(), before);
  editor.Redo();
  EXPECT_EQ(state(), after);
}

// A hint left empty at the recording still tells the pupil what to pick.
TEST_F(EditorMacroTest, AnEmptyHintShowsTheStandardPromptOfItsKind) {
  editor.StartMacroRecording();
  dialogs.hints = {"", "Вторая"};
  Press(100, 100);
  Press(300, 100);
  editor.MacroPanelAction();
  Press(200, 100);
  editor.MacroPanelAction();
  editor.StartMacroApplication(*dialogs.path);
  EXPECT_EQ(view.prompt, "Выберите точку");
  Press(100, 100);
  EXPECT_EQ(view.prompt, "Вторая");
}

TEST_F(EditorMacroTest, CancelledApplicationRemovesItsAutomaticPoints) {
  RecordMidpoint();
  editor.StartMacroApplication(*dialogs.path);
  Press(500, 400);
  EXPECT_EQ(editor.Objects().size(), 4u);
  editor.KeyDown(Key::Escape, {});
  EXPECT_EQ(editor.Objects().size(), 3u);
  EXPECT_EQ(editor.State(), InteractionState::Normal);
}

TEST_F(EditorMacroTest, NewDrawingEndsARecordingAndItsPanel) {
  editor.StartMacroRecording();
  dialogs.hints = {"Первая"};
  Press(100, 100);
  editor.ClearDrawing();
  EXPECT_EQ(dialogs.panels.back(), 0);
  EXPECT_TRUE(editor.MacroRecorder().Recording().arguments.empty());
  EXPECT_FALSE(view.blinking);
}

TEST_F(EditorMacroTest, UnusableMacrosAndRecordingsEndWithTheirErrors) {
  // A result resting on a free point that is no argument.
  editor.StartMacroRecording();
  dialogs.hints = {"Первая"};
  Press(100, 100);
  editor.MacroPanelAction();
  Press(200, 100);
  editor.MacroPanelAction();
  EXPECT_EQ(editor.State(), InteractionState::Normal);
  EXPECT_EQ(view.errors, std::vector<int>{9});
  EXPECT_EQ(dialogs.panels.back(), 0);
  EXPECT_FALSE(fs::exists(*dialogs.path));

  editor.StartMacroApplication((folder / "none.zmm").string());
  std::ofstream(folder / "broken.zmm") << "ZelmoraMacros2.0\r\nx\r\n";
  editor.StartMacroApplication((folder / "broken.zmm").string());
  EXPECT_EQ(view.errors, (std::vector<int>{9, 7, 8}));
  EXPECT_EQ(editor.State(), InteractionState::Normal);
}

TEST_F(EditorMacroTest, FailedWriteKeepsTheRecordingOpen) {
  dialogs.path = (folder / "missing-folder" / "m.zmm").string();
  RecordMidpoint();
  EXPECT_EQ(dialogs.failures.size(), 1u);
  EXPECT_EQ(editor.State(), InteractionState::MacroRecord);
  EXPECT_EQ(dialogs.panels.back(), 6);
  dialogs.path = (folder / "m.zmm").string();
  editor.MacroPanelAction();
  EXPECT_EQ(editor.State(), InteractionState::Normal);
  EXPECT_TRUE(fs::exists(folder / "m.zmm"));
}

}  // namespace
}  // namespace zelmora
