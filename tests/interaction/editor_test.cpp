#include <gtest/gtest.h>

#include <cmath>

#include "interaction/editor.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

using testing::FakeEditorView;
using testing::TableConstructionTables;

constexpr Modifiers kNone{};
constexpr Modifiers kShift{.shift = true};
constexpr Modifiers kCtrl{.ctrl = true};
constexpr Modifiers kLeftHeld{.left = true};

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() : editor(view, tables) { editor.Resize(800, 600, 1000, 700); }

  TGPoint& FreePoint(double x, double y) {
    TGPoint& p = editor.Objects().AddPoint();
    p.X = x;
    p.Y = y;
    p.MustDraw = true;
    return p;
  }
  TGPoint& Midpoint(TGPoint& a, TGPoint& b) {
    TGPoint& m = editor.Objects().AddPoint();
    editor.Objects().Complete(m, {&a, &b}, CodeOf(ConstructionMethod::Midpoint));
    return m;
  }
  void Press(int x, int y, Modifiers mods = kNone) {
    editor.MouseDown(MouseButton::Left, mods, x, y);
  }
  void Drag(int x, int y) { editor.MouseMove(kLeftHeld, x, y); }
  void Release(int x, int y) { editor.MouseUp(MouseButton::Left, kNone, x, y); }

  FakeEditorView view;
  TableConstructionTables tables;
  Editor editor;
};

TEST_F(EditorTest, PressOnObjectStartsTheDragMatchingTheKeysHeld) {
  struct Case {
    const char* name;
    Modifiers mods;
    int x, y;
    InteractionState state;
    const char* prompt;
  };
  const Case cases[] = {
      {"plain press drags", kNone, 100, 100, InteractionState::MoveObject, "Движение объекта"},
      {"shift press shifts", kShift, 100, 100, InteractionState::ShiftObject,
       "Параллельный перенос объекта"},
      // The label "A1" starts 10 right and 10 above the point: 14 x 16 pixels.
      {"ctrl on the label", kCtrl, 113, 95, InteractionState::MoveObjectLabel,
       "Перемещение надписи объекта"},
      {"ctrl beside the label", kCtrl, 100, 100, InteractionState::Normal, ""},
      {"shift on empty place pans", kShift, 400, 400, InteractionState::PanDrag, ""},
      {"press on empty place", kNone, 400, 400, InteractionState::Normal, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.ClearDrawing();
    view.prompt.clear();
    FreePoint(100, 100);
    editor.ResetHistory();
    Press(c.x, c.y, c.mods);
    EXPECT_EQ(editor.State(), c.state);
    EXPECT_EQ(view.prompt, c.prompt);
    Release(c.x, c.y);
    EXPECT_EQ(editor.State(), InteractionState::Normal);
    // A click that moves nothing leaves the file as it was.
    EXPECT_FALSE(editor.Objects().Modified());
  }
}

TEST_F(EditorTest, DraggingAFreePointMovesWhatIsBuiltOnIt) {
  TGPoint& a = FreePoint(100, 100);
  TGPoint& b = FreePoint(300, 100);
  TGPoint& m = Midpoint(a, b);
  Press(100, 100);
  Drag(140, 180);
  Release(140, 180);
  EXPECT_DOUBLE_EQ(a.X, 140);
  EXPECT_DOUBLE_EQ(m.X, 220);
  EXPECT_DOUBLE_EQ(m.Y, 140);
  EXPECT_EQ(view.objectLabel, "Точка:  A1");
  EXPECT_EQ(view.xLabel, "140");
}

TEST_F(EditorTest, TheSelectedObjectWinsAnOverlap) {
  FreePoint(100, 100);
  FreePoint(102, 100);
  EXPECT_EQ(editor.NearObject(101, 100, 0), 0);  // the older one without a selection
  editor.ObjectSelect(1);
  EXPECT_EQ(editor.NearObject(101, 100, 0), 1);
  EXPECT_EQ(editor.NearObject(101, 100, kLineKind), -1);
}

TEST_F(EditorTest, AMoveOutsideTheSurfaceIsPutBackAndSkipped) {
  TGPoint& a = FreePoint(100, 100);
  Press(100, 100);
  Drag(120, 120);
  Drag(-5, 900);
  EXPECT_DOUBLE_EQ(a.X, 120);  // the drag step for that move is skipped
  EXPECT_EQ(view.xLabel, "120");
  ASSERT_EQ(view.cursorMoves.size(), 2u);
  EXPECT_EQ(view.cursorMoves[0], std::make_pair(0, 900));
  EXPECT_EQ(view.cursorMoves[1], std::make_pair(-5, 600));
}

TEST_F(EditorTest, HoverReportsTheObjectAndWhetherItCanBeDragged) {
  TGPoint& a = FreePoint(100, 100);
  TGPoint& b = FreePoint(300, 100);
  Midpoint(a, b);
  editor.MouseMove(kNone, 100, 100);
  EXPECT_EQ(view.helpLabel, "  Это Точка A1");
  EXPECT_EQ(view.surfaceCursor, CursorShape::Movable);
  editor.MouseMove(kNone, 200, 100);
  EXPECT_EQ(view.helpLabel, "  Это Точка A3");
  EXPECT_EQ(view.surfaceCursor, CursorShape::HandPoint);
  editor.MouseMove(kNone, 500, 500);
  EXPECT_EQ(view.helpLabel, "  Объекты недоступны");
  EXPECT_EQ(view.surfaceCursor, CursorShape::Default);
  editor.StartCreation(Command::Midpoint);
  editor.MouseMove(kNone, 100, 100);
  EXPECT_EQ(view.surfaceCursor, CursorShape::HandPoint);
}

TEST_F(EditorTest, ModeButtonsToggleAndReturnToNormal) {
  editor.ToggleMode(InteractionState::RotateMode);
  EXPECT_EQ(editor.State(), InteractionState::RotateMode);
  EXPECT_EQ(view.modeButton, InteractionState::RotateMode);
  EXPECT_EQ(view.prompt, "Поворот рисунка относительно центра");
  editor.ToggleMode(InteractionState::ZoomMode);
  EXPECT_EQ(editor.State(), InteractionState::ZoomMode);
  EXPECT_EQ(view.surfaceCursor, CursorShape::Zoom);
  editor.ToggleMode(InteractionState::ZoomMode);
  EXPECT_EQ(editor.State(), InteractionState::Normal);
  EXPECT_EQ(view.modeButton, InteractionState::Normal);
  EXPECT_EQ(view.prompt, "Жми F1 для помощи");
}

TEST_F(EditorTest, KeyboardZoomStopsAtTheLimits) {
  int zooms = 0;
  for (int i = 0; i < 20; ++i) {
    const double before = editor.ViewScale();
    editor.KeyDown(Key::KeypadPlus, kNone);
    if (editor.ViewScale() != before) ++zooms;
  }
  EXPECT_EQ(zooms, 13);
  editor.ClearDrawing();
  zooms = 0;
  for (int i = 0; i < 20; ++i) {
    const double before = editor.ViewScale();
    editor.KeyDown(Key::KeypadMinus, kNone);
    if (editor.ViewScale() != before) ++zooms;
  }
  EXPECT_EQ(zooms, 13);
}

TEST_F(EditorTest, KeysThatChangeTheDrawingMarkItModified) {
  TGPoint& a = FreePoint(100, 100);
  editor.ResetHistory();
  editor.KeyDown(Key::Right, kNone);
  editor.KeyDown(Key::Down, kNone);
  EXPECT_DOUBLE_EQ(a.X, 130);
  EXPECT_DOUBLE_EQ(a.Y, 130);
  editor.KeyDown(Key::KeypadPlus, kNone);  // about (400, 300)
  EXPECT_NEAR(a.X, 400 + (130 - 400) * 1.2, 1e-9);
  EXPECT_TRUE(editor.Objects().Modified());
}

TEST_F(EditorTest, ArrowKeysWaitUntilADragEnds) {
  TGPoint& a = FreePoint(100, 100);
  editor.ToggleMode(InteractionState::TranslateMode);
  Press(200, 200);
  Drag(210, 200);
  editor.KeyDown(Key::Right, kNone);
  Drag(220, 200);
  EXPECT_DOUBLE_EQ(a.X, 120);
  EXPECT_DOUBLE_EQ(a.Y, 100);
  Release(220, 200);
  editor.KeyDown(Key::Right, kNone);
  EXPECT_DOUBLE_EQ(a.X, 150);
}

TEST_F(EditorTest, ClearingTheDrawingMidConstructionResetsPromptAndCursor) {
  editor.StartCreation(Command::Midpoint);
  ASSERT_EQ(view.prompt, "prompt 9/1");
  editor.ClearDrawing();
  EXPECT_EQ(view.prompt, "Жми F1 для помощи");
  EXPECT_EQ(view.surfaceCursor, CursorShape::Default);
  EXPECT_EQ(editor.State(), InteractionState::Normal);
}

TEST_F(EditorTest, DigitKeysSetThePenOfTheSelection) {
  struct Case {
    Key key;
    bool selected;
    int width, penStyle;
    bool drawn;
  };
  const Case cases[] = {
      {Key::Digit1, true, 1, 1, true},  // a thin pen keeps its dashes
      {Key::Digit2, true, 2, 0, true},  // wide pens draw solid only
      {Key::Digit7, true, 7, 0, true},  {Key::Digit0, true, 4, 1, false},  // 0 hides
      {Key::Digit5, false, 4, 1, true},  // nothing selected: nothing changes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.key));
    editor.ClearDrawing();
    TGPoint& a = FreePoint(100, 100);
    a.Width = 4;
    a.PenStyle = 1;
    editor.ResetHistory();
    if (c.selected) editor.ObjectSelect(0);
    editor.KeyDown(c.key, kNone);
    EXPECT_EQ(a.Width, c.width);
    EXPECT_EQ(a.PenStyle, c.penStyle);
    EXPECT_EQ(a.MustDraw, c.drawn);
    EXPECT_EQ(editor.Objects().Modified(), c.selected);
  }
  // Ctrl+V shows or hides the selection's name; V alone does nothing.
  const bool named = editor.Objects()[0].NameVisible;
  editor.ObjectSelect(0);
  editor.KeyDown(Key::V, kNone);
  EXPECT_EQ(editor.Objects()[0].NameVisible, named);
  editor.KeyDown(Key::V, kCtrl);
  EXPECT_EQ(editor.Objects()[0].NameVisible, !named);
}

TEST_F(EditorTest, ArrowKeysMoveTheDrawingOneStep) {
  struct Case {
    Key key;
    double x, y;
  };
  const Case cases[] = {
      {Key::Left, 70, 100}, {Key::Right, 130, 100}, {Key::Up, 100, 70}, {Key::Down, 100, 130}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.key));
    editor.ClearDrawing();
    TGPoint& a = FreePoint(100, 100);
    TGPoint& b = FreePoint(300, 200);
    editor.KeyDown(c.key, kNone);
    EXPECT_DOUBLE_EQ(a.X, c.x);
    EXPECT_DOUBLE_EQ(a.Y, c.y);
    EXPECT_DOUBLE_EQ(b.X - a.X, 200);  // the whole drawing, not one object
    EXPECT_DOUBLE_EQ(b.Y - a.Y, 100);
  }
}

TEST_F(EditorTest, F1OpensThePageOfTheState) {
  editor.KeyDown(Key::F1, kNone);
  editor.StartCreation(Command::LineThroughTwoPoints);
  editor.KeyDown(Key::F1, kNone);
  editor.ToggleMode(InteractionState::TranslateMode);
  editor.KeyDown(Key::F1, kNone);
  editor.ToggleMode(InteractionState::PointSymmetryMode);
  editor.KeyDown(Key::F1, kNone);  // nothing in the symmetry modes
  EXPECT_EQ(view.helpPages,
            (std::vector<std::string>{"Help/Манипуляции объектами.htm", "Help/Способы задания.htm",
                                      "Help/Работа с рисунком.htm"}));
}

TEST_F(EditorTest, RotatingBackToThePressPositionRestoresTheDrawing) {
  TGPoint& a = FreePoint(100, 150);
  editor.ToggleMode(InteractionState::RotateMode);
  Press(600, 300);
  Drag(400, 500);  // a quarter turn clockwise about (400, 300)
  EXPECT_NEAR(a.X, 400 + 150, 1e-9);
  EXPECT_NEAR(a.Y, 300 - 300, 1e-9);
  Drag(600, 300);
  EXPECT_NEAR(a.X, 100, 1e-9);
  EXPECT_NEAR(a.Y, 150, 1e-9);
  EXPECT_TRUE(editor.Objects().Modified());
}

TEST_F(EditorTest, PointSymmetryTwiceRestoresAndLineSymmetryMissesQuietly) {
  TGPoint& a = FreePoint(100, 150);
  FreePoint(300, 300);
  editor.ToggleMode(InteractionState::PointSymmetryMode);
  Press(300, 300);
  EXPECT_DOUBLE_EQ(a.X, 500);
  EXPECT_DOUBLE_EQ(a.Y, 450);
  Press(300, 300);
  EXPECT_DOUBLE_EQ(a.X, 100);
  editor.ToggleMode(InteractionState::LineSymmetryMode);
  editor.Objects().ClearModified();
  Press(700, 20);  // no line there: nothing moves, but the press counts as a change
  EXPECT_DOUBLE_EQ(a.X, 100);
  EXPECT_TRUE(editor.Objects().Modified());
}

TEST_F(EditorTest, ZoomScalesTheDrawingAndItsLengths) {
  struct Case {
    const char* name;
    bool mouse;
    MouseButton button;  // mouse zoom
    Key key;             // keyboard zoom
    double factor;
  };
  const Case cases[] = {
      {"keypad plus", false, MouseButton::Left, Key::KeypadPlus, 1.2},
      {"keypad minus", false, MouseButton::Left, Key::KeypadMinus, 1 / 1.2},
      {"left button", true, MouseButton::Left, Key::Other, 1.1},
      {"right button zooms out", true, MouseButton::Right, Key::Other, 1 / 1.1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.ClearDrawing();
    editor.ApplySettings({.feeling = 5, .zoomStep = 0.1});
    TGPoint& a = FreePoint(500, 200);
    TGLength& length = editor.Objects().AddLength();
    length.Value = 50;
    if (c.mouse) {
      // The surface centre, so that both kinds of zoom scale about one point.
      editor.ToggleMode(InteractionState::ZoomMode);
      editor.MouseMove(kNone, 400, 300);
      editor.MouseDown(c.button, kNone, 400, 300);
      EXPECT_TRUE(editor.ZoomStep());
      editor.MouseUp(c.button, kNone, 400, 300);
      EXPECT_FALSE(editor.ZoomStep());
    } else {
      editor.KeyDown(c.key, kNone);
    }
    EXPECT_NEAR(a.X, 400 + 100 * c.factor, 1e-9);
    EXPECT_NEAR(a.Y, 300 - 100 * c.factor, 1e-9);
    EXPECT_NEAR(length.Value, 50 * c.factor, 1e-9);
    EXPECT_NEAR(editor.ViewScale(), c.factor, 1e-9);
  }
}

TEST_F(EditorTest, LineSymmetryReflectsTheDrawingInThePressedLine) {
  // The axis comes first in the drawing, so it is reflected (onto itself)
  // before the points are.
  TGLine& axis = editor.Objects().AddLine();
  axis.X1 = 100, axis.Y1 = 100, axis.X2 = 500, axis.Y2 = 500;
  axis.Method = CodeOf(ConstructionMethod::FreeLine);
  axis.MustDraw = true;
  struct Case {
    double x, y, reflectedX, reflectedY;
  };
  const Case cases[] = {{300, 100, 100, 300}, {450, 200, 200, 450}, {50, 50, 50, 50}};
  std::vector<TGPoint*> points;
  for (const Case& c : cases) points.push_back(&FreePoint(c.x, c.y));
  editor.ToggleMode(InteractionState::LineSymmetryMode);
  Press(300, 300);
  for (std::size_t i = 0; i < points.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(points[i]->X, cases[i].reflectedX, 1e-9);
    EXPECT_NEAR(points[i]->Y, cases[i].reflectedY, 1e-9);
  }
  EXPECT_NEAR(axis.X1, 100, 1e-9);
  EXPECT_NEAR(axis.Y2, 500, 1e-9);
}

TEST_F(EditorTest, PickedObjectsBlinkUntilTheConstructionIsComplete) {
  FreePoint(100, 100);
  FreePoint(300, 100);
  editor.StartCreation(Command::Midpoint);
  Press(100, 100);
  Release(100, 100);
  ASSERT_TRUE(view.blinking);
  // Each beat draws the pick in its own colour or in the paper's.
  auto beat = [&] {
    view.canvas.calls.clear();
    editor.TimerTick();
    std::vector<int> glyphColors;
    for (const auto& call : view.canvas.calls) {
      if (call.op == testing::RecordingCanvas::Op::Glyph)
        glyphColors.push_back(call.glyphColorIndex);
    }
    return glyphColors;
  };
  EXPECT_EQ(beat(), std::vector<int>{0});
  EXPECT_EQ(beat(), std::vector<int>{15});
  EXPECT_EQ(beat(), std::vector<int>{0});
  Press(300, 100);
  EXPECT_FALSE(view.blinking);
  EXPECT_TRUE(beat().empty());
}

TEST_F(EditorTest, MouseZoomKeepsThePointUnderTheCursor) {
  TGPoint& a = FreePoint(200, 200);
  TGPoint& b = FreePoint(300, 250);
  editor.ToggleMode(InteractionState::ZoomMode);
  editor.MouseMove(kNone, 200, 200);
  Press(200, 200);
  EXPECT_EQ(view.zoomLoopsStarted, 1);
  view.nowMs += kMouseZoomIntervalMs;
  EXPECT_TRUE(editor.ZoomStep());
  EXPECT_DOUBLE_EQ(a.X, 200);
  EXPECT_NEAR(b.X, 200 + 100 * 1.05 * 1.05, 1e-9);
  Release(200, 200);
  EXPECT_FALSE(editor.ZoomStep());
  EXPECT_EQ(editor.State(), InteractionState::ZoomMode);
}

// However often the loop runs, a held button zooms one step at the press and
// one per interval after: a click is one step, not a jump to the limit.
TEST_F(EditorTest, MouseZoomStepsAtThePressThenOncePerInterval) {
  struct Case {
    const char* name;
    long long heldMs;
    long long loopEveryMs;
    int steps;
  };
  const Case cases[] = {
      {"quick click", 30, 1, 1},
      {"ordinary click", 100, 1, 3},
      {"held a second", 1000, 1, 26},
      {"a stalled loop makes up nothing", 1000, 400, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.ClearDrawing();
    editor.ApplySettings({.feeling = 5, .zoomStep = 0.05});
    FreePoint(300, 300);
    editor.ResetHistory();
    if (editor.State() != InteractionState::ZoomMode) editor.ToggleMode(InteractionState::ZoomMode);
    const double before = editor.ViewScale();
    Press(200, 200);
    for (long long t = 0; t < c.heldMs; t += c.loopEveryMs) {
      view.nowMs += c.loopEveryMs;
      editor.ZoomStep();
    }
    Release(200, 200);
    EXPECT_NEAR(editor.ViewScale() / before, std::pow(1.05, c.steps), 1e-9);
    // One press and hold is one step to undo, however long it was held.
    EXPECT_EQ(editor.ActionHistory().Entries(), 1u);
    editor.Undo();
    EXPECT_EQ(static_cast<const TGPoint&>(editor.Objects()[0]).X, 300);
  }
}

TEST_F(EditorTest, LabelMovesAreConfinedWhileLabelControlIsOn) {
  TGPoint& a = FreePoint(100, 100);
  Press(113, 95, kCtrl);
  Drag(123, 95);
  EXPECT_DOUBLE_EQ(a.LabelOffsetX, 20);
  Drag(143, 95);  // 40 units from the point: refused, cursor put back
  EXPECT_DOUBLE_EQ(a.LabelOffsetX, 20);
  EXPECT_EQ(view.cursorMoves.back(), std::make_pair(123, 95));
  Release(143, 95);
  editor.ToggleLabelControl();
  Press(123, 95, kCtrl);
  Drag(163, 95);
  EXPECT_DOUBLE_EQ(a.LabelOffsetX, 60);
}

TEST_F(EditorTest, PopupListsEveryObjectUnderTheCursor) {
  FreePoint(100, 100);
  FreePoint(103, 100);
  editor.MouseDown(MouseButton::Right, kNone, 101, 100);
  ASSERT_EQ(view.popup.size(), 2u);
  EXPECT_EQ(view.popup[1].caption, "A2");
  editor.MenuSelect(view.popup[1].tag);
  EXPECT_EQ(editor.Selected(), 1);
  editor.MenuSelect(57);  // a stale menu after the drawing changed
  EXPECT_EQ(editor.Selected(), 1);
}

TEST_F(EditorTest, DeleteRemovesTheSelectionOnlyInNormalState) {
  TGPoint& a = FreePoint(100, 100);
  TGPoint& b = FreePoint(300, 100);
  Midpoint(a, b);
  FreePoint(50, 50);
  editor.ObjectSelect(0);
  editor.DeleteSelected();
  EXPECT_EQ(editor.Objects().size(), 2u);
  EXPECT_EQ(editor.Selected(), -1);
  EXPECT_EQ(view.objectLabel, "Объект не выбран");
}

TEST_F(EditorTest, PaintDrawsTheSelectionLastOnAWhitePicture) {
  FreePoint(100, 100);
  FreePoint(200, 100);
  editor.ObjectSelect(0);
  view.canvas.calls.clear();
  editor.Repaint();
  using Op = testing::RecordingCanvas::Op;
  ASSERT_FALSE(view.canvas.calls.empty());
  EXPECT_EQ(view.canvas.calls.front().op, Op::Fill);
  EXPECT_EQ(view.canvas.calls.front().penColor, 0xFFFFFFu);
  std::vector<int> glyphColors;
  for (const auto& call : view.canvas.calls) {
    if (call.op == Op::Glyph) glyphColors.push_back(call.glyphColorIndex);
  }
  EXPECT_EQ(glyphColors, (std::vector<int>{0, 14}));
}

}  // namespace
}  // namespace zelmora

namespace zelmora {
namespace {

// The givens of a lesson task cannot be deleted; once the lesson ends they can.
TEST_F(EditorTest, ALessonKeepsItsGivens) {
  TGPoint& a = FreePoint(100, 100);
  FreePoint(300, 100);
  editor.KeepFirstObjects(2);
  Press(100, 100);
  Release(100, 100);
  ASSERT_EQ(editor.Selected(), a.Index());
  editor.DeleteSelected();
  EXPECT_EQ(editor.Objects().size(), 2u);
  editor.KeepFirstObjects(0);
  Press(100, 100);
  Release(100, 100);
  editor.DeleteSelected();
  EXPECT_EQ(editor.Objects().size(), 1u);
}

}  // namespace
}  // namespace zelmora
