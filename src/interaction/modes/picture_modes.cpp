#include "interaction/modes/picture_modes.h"

#include "geometry/whole_drawing.h"
#include "interaction/editor_texts.h"

namespace zelmora {

void PictureMode::Enter() {
  editor_.View().ShowModeButton(look_.state);
  editor_.View().SetSurfaceCursor(look_.cursor);
  editor_.SetPrompt(look_.prompt);
}

void PictureMode::Leave() {
  editor_.View().ShowModeButton(InteractionState::Normal);
}

// ---- zoom ---------------------------------------------------------------------

ZoomMode::ZoomMode(Editor& editor)
    : PictureMode(editor, {InteractionState::ZoomMode, CursorShape::Zoom, texts::kZoomPrompt,
                           texts::kHelpPicture}) {}

void ZoomMode::LeftPress(Modifiers, int, int) {
  editor_.StartMouseZoom(true);
}

void ZoomMode::RightPress(int, int) {
  editor_.StartMouseZoom(false);
}

void ZoomMode::Release(MouseButton, int, int) {
  editor_.StopMouseZoom();
  editor_.SetPrompt(texts::kStandardPrompt);
}

// ---- translate and rotate -------------------------------------------------------

void DrawingDragMode::LeftPress(Modifiers, int x, int y) {
  editor_.BeginTransform(x, y);
  editor_.View().SetDragCursor(CursorShape::Dragging);
}

TranslateMode::TranslateMode(Editor& editor)
    : DrawingDragMode(editor, {InteractionState::TranslateMode, CursorShape::Movable,
                               texts::kTranslatePrompt, texts::kHelpPicture}) {}

void TranslateMode::Drag(int x, int y) {
  TranslateAll(editor_.Objects(), x, y, editor_.Frame());
}

RotateMode::RotateMode(Editor& editor)
    : DrawingDragMode(editor, {InteractionState::RotateMode, CursorShape::Movable,
                               texts::kRotatePrompt, texts::kHelpPicture}) {}

void RotateMode::Drag(int x, int y) {
  RotateAll(editor_.Objects(), x, y, editor_.Frame());
}

// ---- symmetries -----------------------------------------------------------------

PointSymmetryMode::PointSymmetryMode(Editor& editor)
    : PictureMode(editor, {InteractionState::PointSymmetryMode, CursorShape::Default,
                           texts::kPointSymmetryPrompt, ""}) {}

void PointSymmetryMode::LeftPress(Modifiers, int x, int y) {
  ObjectList& objects = editor_.Objects();
  objects.MarkModified();
  const int i = editor_.NearObject(x, y, kPointKind);
  if (i >= 0) {
    const auto& p = static_cast<const TGPoint&>(objects[static_cast<std::size_t>(i)]);
    ReflectAllInPoint(objects, p.X, p.Y);
  } else {
    ReflectAllInPoint(objects, x, y);
  }
}

void PointSymmetryMode::Hover(int x, int y) {
  editor_.DescribeObjectAt(x, y, kPointKind, true);
}

LineSymmetryMode::LineSymmetryMode(Editor& editor)
    : PictureMode(editor, {InteractionState::LineSymmetryMode, CursorShape::Default,
                           texts::kLineSymmetryPrompt, ""}) {}

void LineSymmetryMode::LeftPress(Modifiers, int x, int y) {
  ObjectList& objects = editor_.Objects();
  objects.MarkModified();
  const int i = editor_.NearObject(x, y, kLineKind);
  if (i < 0) return;
  // Copy the axis first: reflecting the drawing moves the line itself.
  const auto& l = static_cast<const TGLine&>(objects[static_cast<std::size_t>(i)]);
  const double x1 = l.X1, y1 = l.Y1, x2 = l.X2, y2 = l.Y2;
  ReflectAllInLine(objects, x1, y1, x2, y2);
}

void LineSymmetryMode::Hover(int x, int y) {
  editor_.DescribeObjectAt(x, y, kLineKind, true);
}

}  // namespace zelmora
