#include <gtest/gtest.h>

#include <string>

#include "document/document_file.h"
#include "interaction/editor.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

using testing::FakeEditorView;
using testing::TableConstructionTables;

constexpr Modifiers kNone{};
constexpr Modifiers kHeld{false, false, true, false};

class MeasureModeTest : public ::testing::Test {
 protected:
  MeasureModeTest() : editor(view, tables) {
    editor.Resize(800, 600, 1000, 700);
    editor.AttachDocumentInfo(&info);
    editor.StartCreation(Command::FreePoint);
    Click(100, 100), Click(400, 100), Click(100, 500);  // A, B, C
    editor.ReturnToNormal();
  }
  void Click(int x, int y) {
    editor.MouseDown(MouseButton::Left, kNone, x, y);
    editor.MouseUp(MouseButton::Left, kNone, x, y);
  }
  void DragFromTo(int x0, int y0, int x1, int y1) {
    editor.MouseDown(MouseButton::Left, kNone, x0, y0);
    editor.MouseMove(kHeld, x1, y1);
    editor.MouseUp(MouseButton::Left, kNone, x1, y1);
  }
  // The three angles of the triangle, m1 at A, m2 at B, m3 at C.
  void MeasureAngles() {
    editor.StartMeasure(Measurement::Angle);
    Click(400, 100), Click(100, 100), Click(100, 500);
    Click(100, 100), Click(400, 100), Click(100, 500);
    Click(100, 100), Click(100, 500), Click(400, 100);
    editor.ReturnToNormal();
  }
  const TGText& Text() const { return static_cast<const TGText&>(editor.Objects().back()); }

  FakeEditorView view;
  TableConstructionTables tables;
  DocumentInfo info;
  Editor editor;
};

TEST_F(MeasureModeTest, PicksOfTheWrongKindAreRefusedAndTheLastPickBuilds) {
  editor.StartMeasure(Measurement::Radius);
  Click(100, 100);  // a point is no circle
  EXPECT_EQ(editor.Objects().size(), 3u);
  editor.StartMeasure(Measurement::Distance);
  EXPECT_EQ(view.prompt, "Выберите первую точку");
  Click(100, 100);
  Click(100, 100);  // the same point again is no second point
  EXPECT_EQ(view.prompt, "Выберите вторую точку");
  Click(400, 100);
  ASSERT_EQ(editor.Objects().size(), 4u);
  const auto& m = static_cast<const TGMeasure&>(editor.Objects()[3]);
  EXPECT_EQ(m.Name, "m1");
  EXPECT_DOUBLE_EQ(m.Value, 300);
  EXPECT_EQ(editor.State(), InteractionState::PickMeasured);  // ready for the next
  EXPECT_EQ(editor.ActionHistory().UndoName(), "создание m1");
}

// The classroom case: the sum of the angles stays 180 while a vertex moves,
// and every step undoes and redoes to the very same file.
TEST_F(MeasureModeTest, SumOfAnglesInATextStaysWhileAVertexIsDragged) {
  MeasureAngles();
  editor.StartTextPlacing();
  view.textAnswers.push_back("Сумма углов: {m1+m2+m3}°");
  Click(500, 300);
  ASSERT_EQ(editor.Objects().back().Kind(), kTextKind);
  EXPECT_EQ(editor.State(), InteractionState::Normal);
  EXPECT_EQ(Text().Shown, "Сумма углов: 180,0°");
  const std::string before = WritePlane(editor.Objects(), info);

  DragFromTo(100, 500, 250, 260);
  EXPECT_NE(static_cast<const TGMeasure&>(editor.Objects()[3]).Value, 90);
  EXPECT_EQ(Text().Shown, "Сумма углов: 180,0°");
  DragFromTo(505, 305, 605, 405);  // the text itself, taken inside its first line
  EXPECT_EQ(Text().X, 600);
  EXPECT_EQ(Text().Y, 400);

  const std::string after = WritePlane(editor.Objects(), info);
  editor.Undo();
  editor.Undo();
  EXPECT_EQ(WritePlane(editor.Objects(), info), before);
  editor.Redo();
  editor.Redo();
  EXPECT_EQ(WritePlane(editor.Objects(), info), after);

  editor.ObjectSelect(3);
  editor.DeleteSelected();
  editor.Repaint();
  EXPECT_EQ(Text().Shown, "Сумма углов: ?°");  // the text survives
}

TEST_F(MeasureModeTest, NewObjectDialogStartsTheChosenMeasurementOrText) {
  view.newObjectAnswers = {Command::MeasureAngle, Command::PlaceText};
  editor.NewObjectDialog(NewObjectKind::Measure);
  EXPECT_EQ(editor.State(), InteractionState::PickMeasured);
  EXPECT_EQ(view.prompt, "Выберите точку на первой стороне угла");
  editor.NewObjectDialog(NewObjectKind::Measure);
  EXPECT_EQ(editor.State(), InteractionState::PlaceText);
}

TEST_F(MeasureModeTest, CancelledTextBuildsNothing) {
  editor.StartTextPlacing();
  Click(500, 300);
  EXPECT_EQ(editor.Objects().size(), 3u);
  EXPECT_EQ(editor.State(), InteractionState::PlaceText);
}

}  // namespace
}  // namespace zelmora
