#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>

#include "interaction/editor.h"
#include "interaction/editor_texts.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

using testing::FakeEditorView;
using testing::RecordingCanvas;
using testing::TableConstructionTables;

constexpr Modifiers kLeftHeld{.left = true};

struct Written {
  std::string path;
  PixelRect area;
};

class FakeExportView : public ExportView {
 public:
  void ShowExportPanel(bool shown) override {
    panelShown = shown;
    prompt.clear();
  }
  void SetExportPrompt(const std::string& text) override { prompt = text; }
  std::optional<std::string> AskExportPath() override {
    ++dialogs;
    if (whileAsking) whileAsking();
    if (paths.empty()) return std::nullopt;
    const std::string path = paths.front();
    paths.pop_front();
    return path;
  }
  std::string WriteExport(const std::string& path, PixelRect area) override {
    if (!writeError.empty()) return writeError;
    written.push_back({path, area});
    return {};
  }
  void ShowExportFailed(const std::string& path, const std::string& error) override {
    failures.push_back(path + ": " + error);
  }

  bool panelShown = false;
  std::string prompt;  // empty: the panel's own
  std::deque<std::string> paths;
  std::string writeError;
  int dialogs = 0;
  std::function<void()> whileAsking;  // what happens while the dialog is open
  std::vector<Written> written;
  std::vector<std::string> failures;
};

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() : editor(view, tables) {
    editor.Resize(800, 600, 1000, 700);
    editor.StartExport(exportView);
  }
  void DragRectangle(int x1, int y1, int x2, int y2) {
    editor.MouseDown(MouseButton::Left, {}, x1, y1);
    editor.MouseMove(kLeftHeld, (x1 + x2) / 2, (y1 + y2) / 2);
    editor.MouseMove(kLeftHeld, x2, y2);
    editor.MouseUp(MouseButton::Left, {}, x2, y2);
  }
  int DottedFrames() {
    RecordingCanvas canvas;
    editor.Paint(canvas);
    int frames = 0;
    for (const auto& call : canvas.calls) {
      frames += call.op == RecordingCanvas::Op::Rect && call.penStyle == PenStyle::Dot;
    }
    return frames;
  }

  FakeEditorView view;
  TableConstructionTables tables;
  FakeExportView exportView;
  Editor editor;
};

struct DragCase {
  const char* name;
  int x1, y1, x2, y2;
  PixelRect expected;
};

class ExportDragTest : public ExportTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(ExportDragTest, WritesTheDraggedRectangleCutToTheSurfaceAndEnds) {
  const DragCase& c = GetParam();
  exportView.paths = {"/tmp/a.bmp"};
  DragRectangle(c.x1, c.y1, c.x2, c.y2);
  EXPECT_EQ(DottedFrames(), 1);
  editor.ConfirmExport();
  ASSERT_EQ(exportView.written.size(), 1u);
  EXPECT_EQ(exportView.written[0].area, c.expected);
  EXPECT_EQ(editor.State(), InteractionState::Normal);
  EXPECT_FALSE(exportView.panelShown);
  EXPECT_EQ(DottedFrames(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, ExportDragTest,
    ::testing::Values(DragCase{"TopLeftFirst", 100, 50, 300, 250, {100, 50, 200, 200}},
                      DragCase{"BottomRightFirst", 300, 250, 100, 50, {100, 50, 200, 200}},
                      DragCase{"BottomLeftFirst", 100, 250, 300, 50, {100, 50, 200, 200}},
                      DragCase{"PastTheEdges", -40, 500, 900, 700, {0, 500, 800, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportTest, AnEmptyRectangleWritesNothingAndSaysWhy) {
  exportView.paths = {"/tmp/a.bmp", "/tmp/a.bmp"};
  EXPECT_TRUE(exportView.panelShown);
  // Nothing pressed, a bare click, a drag straight down.
  for (auto drag :
       {std::array{0, 0, 0, 0}, std::array{60, 60, 60, 60}, std::array{50, 50, 50, 90}}) {
    if (drag[2] != 0) DragRectangle(drag[0], drag[1], drag[2], drag[3]);
    EXPECT_EQ(DottedFrames(), 0);  // no dot or line of an empty frame
    editor.ConfirmExport();
    EXPECT_EQ(exportView.dialogs, 0);
    EXPECT_TRUE(exportView.written.empty());
    EXPECT_EQ(exportView.prompt, texts::kDragRectangleFirst);
    EXPECT_EQ(editor.State(), InteractionState::ExportRect);
  }
  // A new drag brings the panel's prompt back.
  DragRectangle(10, 10, 40, 40);
  EXPECT_TRUE(exportView.prompt.empty());
}

TEST_F(ExportTest, ACancelledDialogOrAFailedWriteKeepsTheRectangle) {
  DragRectangle(10, 20, 110, 70);
  editor.ConfirmExport();  // dialog cancelled
  EXPECT_EQ(editor.State(), InteractionState::ExportRect);
  EXPECT_EQ(DottedFrames(), 0);
  exportView.paths = {"/read-only/a.png", "/tmp/a.png"};
  exportView.writeError = "Permission denied";
  editor.ConfirmExport();
  EXPECT_EQ(exportView.failures, std::vector<std::string>{"/read-only/a.png: Permission denied"});
  EXPECT_EQ(editor.State(), InteractionState::ExportRect);
  exportView.writeError.clear();
  editor.ConfirmExport();
  ASSERT_EQ(exportView.written.size(), 1u);
  EXPECT_EQ(exportView.written[0].path, "/tmp/a.png");
  EXPECT_EQ(exportView.written[0].area, (PixelRect{10, 20, 100, 50}));
}

// The window shrank while the dialog was open: only what is still shown is written.
TEST_F(ExportTest, ASurfaceShrunkDuringTheDialogCutsTheRectangle) {
  DragRectangle(500, 400, 700, 550);
  exportView.paths = {"/tmp/a.png"};
  exportView.whileAsking = [this] { editor.Resize(600, 450, 800, 550); };
  editor.ConfirmExport();
  ASSERT_EQ(exportView.written.size(), 1u);
  EXPECT_EQ(exportView.written[0].area, (PixelRect{500, 400, 100, 50}));
}

// Esc and a new drawing both end the export and bring the status bar back.
TEST_F(ExportTest, LeavingRestoresTheStatusBarWithoutWriting) {
  for (bool clear : {false, true}) {
    editor.StartExport(exportView);
    DragRectangle(10, 20, 110, 70);
    if (clear) {
      editor.ClearDrawing();
    } else {
      editor.KeyDown(Key::Escape, {});
    }
    EXPECT_EQ(editor.State(), InteractionState::Normal);
    EXPECT_FALSE(exportView.panelShown);
    EXPECT_EQ(DottedFrames(), 0);
    EXPECT_EQ(exportView.dialogs, 0);
  }
}

}  // namespace
}  // namespace zelmora
