#include "interaction/modes/object_modes.h"

#include "geometry/whole_drawing.h"
#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

// The end of any drag: back to pointing, the selection kept.
void FinishDrag(ModeContext& editor, CursorShape cursor) {
  editor.SetMode(InteractionState::Normal);
  editor.View().SetSurfaceCursor(cursor);
  editor.SetPrompt(texts::kStandardPrompt);
}

}  // namespace

// ---- normal -------------------------------------------------------------------

void NormalMode::LeftPress(Modifiers mods, int x, int y) {
  ObjectList& objects = editor_.Objects();
  const int i = editor_.NearObject(x, y, 0);
  if (i < 0) {
    editor_.Deselect();
    if (mods.shift) {
      editor_.BeginTransform(x, y);
      editor_.SetMode(InteractionState::PanDrag);
    }
    return;
  }
  TGObject& o = objects[static_cast<std::size_t>(i)];
  // Ctrl takes the label only; a label is moved by its object's own rules and
  // does not change the drawing's geometry.
  if (mods.ctrl && !LabelHit(o, x, y, editor_.View().PictureCanvas())) return;
  if (!mods.ctrl) objects.MarkModified();
  editor_.ObjectSelect(i);
  o.SavedX = x;
  o.SavedY = y;
  editor_.SetMode(mods.ctrl    ? InteractionState::MoveObjectLabel
                  : mods.shift ? InteractionState::ShiftObject
                               : InteractionState::MoveObject);
}

void NormalMode::RightPress(int x, int y) {
  editor_.ShowPopup(x, y);
}

void NormalMode::Hover(int x, int y) {
  editor_.DescribeObjectAt(x, y, 0, false);
}

void NormalMode::MenuSelect(int index) {
  editor_.ObjectSelect(index);
}

std::string NormalMode::HelpPage() const {
  return texts::kHelpObjects;
}

// ---- object drag --------------------------------------------------------------

InteractionState ObjectDragMode::State() const {
  return shift_ ? InteractionState::ShiftObject : InteractionState::MoveObject;
}

void ObjectDragMode::Enter() {
  editor_.View().SetDragCursor(CursorShape::Dragging);
  editor_.SetPrompt(shift_ ? texts::kShiftingObject : texts::kMovingObject);
  drag_.reset();
  if (TGObject* s = editor_.SelectedObject()) drag_.emplace(*s);
}

void ObjectDragMode::Drag(int x, int y) {
  if (!drag_ || editor_.SelectedObject() != &drag_->Dragged()) return;
  shift_ ? drag_->ShiftTo(x, y) : drag_->DragTo(x, y);
}

void ObjectDragMode::NameMove() {
  if (drag_) editor_.NameAction(texts::kMoveAction + drag_->Dragged().Name);
}

void ObjectDragMode::Release(MouseButton, int, int) {
  NameMove();
  drag_.reset();
  FinishDrag(editor_, CursorShape::Movable);
}

std::string ObjectDragMode::HelpPage() const {
  return texts::kHelpObjects;
}

// ---- label drag ---------------------------------------------------------------

void LabelDragMode::Enter() {
  editor_.View().SetDragCursor(CursorShape::Movable);
  editor_.SetPrompt(texts::kMovingLabel);
}

void LabelDragMode::Drag(int x, int y) {
  if (TGObject* s = editor_.SelectedObject()) s->MoveLabel(x, y, editor_.LabelMove());
}

void LabelDragMode::Release(MouseButton, int, int) {
  if (TGObject* s = editor_.SelectedObject()) editor_.NameAction(texts::kLabelMoveAction + s->Name);
  FinishDrag(editor_, CursorShape::Movable);
}

// ---- pan ----------------------------------------------------------------------

void PanMode::Enter() {
  editor_.View().SetDragCursor(CursorShape::Movable);
}

void PanMode::Drag(int x, int y) {
  TranslateAll(editor_.Objects(), x, y, editor_.Frame());
}

void PanMode::Release(MouseButton, int, int) {
  editor_.NameAction(texts::kTranslateAction);
  FinishDrag(editor_, CursorShape::Default);
}

std::string PanMode::HelpPage() const {
  return texts::kHelpPicture;
}

}  // namespace zelmora
