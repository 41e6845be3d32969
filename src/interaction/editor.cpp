#include "interaction/editor.h"

#include <string>

#include "geometry/graph.h"
#include "geometry/paint.h"
#include "geometry/pixel.h"
#include "geometry/whole_drawing.h"
#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

// Objects a user can drag: free objects and points that slide on a carrier.
bool IsDraggable(const TGObject& o) {
  switch (o.Method) {
    case 0:
    case 1:
    case 2:
    case 100:
    case 200:
      return true;
    default:
      return false;
  }
}

}  // namespace

Editor::Editor(EditorView& view, ConstructionTables& tables) : view_(view), tables_(tables) {}

void Editor::Resize(int surfaceWidth, int surfaceHeight, int windowWidth, int windowHeight) {
  surfaceWidth_ = surfaceWidth;
  surfaceHeight_ = surfaceHeight;
  windowWidth_ = windowWidth;
  windowHeight_ = windowHeight;
}

TransformFrame Editor::Frame() const {
  return {static_cast<double>(anchorX_), static_cast<double>(anchorY_), surfaceWidth_ / 2.0,
          surfaceHeight_ / 2.0};
}

void Editor::PutCursorAt(double planeX, double planeY) {
  view_.MoveCursorTo(ToPixel(planeX), ToPixel(planeY));
}

// ---- selection --------------------------------------------------------------

int Editor::NearObject(double x, double y, int kind) {
  Canvas& canvas = view_.PictureCanvas();
  auto fits = [&](const TGObject& o) {
    return (kind == 0 || o.Kind() == kind) && HitTest(o, x, y, canvas, Hits());
  };
  if (TGObject* s = SelectedObject(); s != nullptr && fits(*s)) return selected_;
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    if (fits(objects_[i])) return static_cast<int>(i);
  }
  return -1;
}

void Editor::ObjectSelect(int index) {
  TGObject* o = objects_.at(index);
  if (o == nullptr) return;
  selected_ = index;
  const int kind = o->Kind();
  const char* prefix = kind >= 1 && kind <= 3 ? texts::kSelectedPrefixes[kind] : "";
  view_.SetObjectLabel(prefix + o->Name);
}

void Editor::Deselect() {
  selected_ = -1;
  view_.SetObjectLabel(texts::kNoSelection);
}

// ---- painting ---------------------------------------------------------------

void Editor::Paint(Canvas& canvas) {
  PaintDrawing(canvas, objects_, SelectedObject(), {showAll_, windowWidth_, windowHeight_},
               surfaceWidth_, surfaceHeight_);
}

void Editor::Repaint() {
  Paint(view_.PictureCanvas());
  view_.Present();
}

void Editor::TimerTick() {
  const bool blink = blinkCounter_ % 2 != 0;
  if (state_ == InteractionState::PickParents) DrawPicks(blink);
  const DrawContext context{showAll_, windowWidth_, windowHeight_};
  if (state_ == InteractionState::MacroRecord)
    macroRecord_.Blink(blink, view_.PictureCanvas(), context);
  if (state_ == InteractionState::MacroApply)
    macroApply_.Blink(blink, view_.PictureCanvas(), context);
  ++blinkCounter_;
  view_.Present();
}

void Editor::DrawPicks(bool blink) {
  const DrawContext context{showAll_, windowWidth_, windowHeight_};
  for (int index : creation_.picks) {
    if (TGObject* o = objects_.at(index)) o->Draw(view_.PictureCanvas(), false, blink, context);
  }
}

// ---- mouse ------------------------------------------------------------------

// A move outside the surface during a drag puts the cursor back on the edge
// and is otherwise ignored.
bool Editor::Returning(int x, int y) {
  if (x >= 0 && x <= surfaceWidth_ && y >= 0 && y <= surfaceHeight_) return false;
  if (x < 0) view_.MoveCursorTo(0, y);
  if (y < 0) view_.MoveCursorTo(x, 0);
  if (x > surfaceWidth_) view_.MoveCursorTo(surfaceWidth_, y);
  if (y > surfaceHeight_) view_.MoveCursorTo(x, surfaceHeight_);
  return true;
}

void Editor::MouseMove(Modifiers mods, int x, int y) {
  lastX_ = x;
  lastY_ = y;
  if (Returning(x, y)) return;
  if (mods.left) {
    LeftDrag(x, y);
    Repaint();
  } else if (!mods.right) {
    Hover(x, y);
  }
  view_.SetCoordinates(std::to_string(x), std::to_string(y));
}

void Editor::Hover(int x, int y) {
  int i = -1;
  switch (state_) {
    case InteractionState::Normal:
    case InteractionState::PickParents:
    case InteractionState::MacroRecord:
    case InteractionState::MacroApply:
      i = NearObject(x, y, 0);
      break;
    case InteractionState::PointSymmetryMode:
      i = NearObject(x, y, kPointKind);
      break;
    case InteractionState::LineSymmetryMode:
      i = NearObject(x, y, kLineKind);
      break;
    default:
      return;
  }
  if (i < 0) {
    view_.SetHelpLabel(texts::kNothingHere);
    view_.SetSurfaceCursor(CursorShape::Default);
    return;
  }
  const TGObject& o = objects_[static_cast<std::size_t>(i)];
  const int kind = o.Kind();
  view_.SetHelpLabel(std::string(texts::kThisIs) +
                     (kind >= 1 && kind <= 5 ? texts::kKindNames[kind] : "") + " " + o.Name);
  const bool picking = state_ == InteractionState::PickParents ||
                       state_ == InteractionState::PointSymmetryMode ||
                       state_ == InteractionState::LineSymmetryMode;
  view_.SetSurfaceCursor(!picking && IsDraggable(o) ? CursorShape::Movable
                                                    : CursorShape::HandPoint);
}

void Editor::MouseDown(MouseButton button, Modifiers mods, int x, int y) {
  if (button == MouseButton::Left) leftHeld_ = true;
  if (button == MouseButton::Left) {
    LeftDown(mods, x, y);
  } else if (button == MouseButton::Right) {
    switch (state_) {
      case InteractionState::Normal:
      case InteractionState::PickParents:
      case InteractionState::MacroRecord:
      case InteractionState::MacroApply:
        ShowPopup(x, y);
        break;
      case InteractionState::ZoomMode:
        StartMouseZoom(false);
        break;
      default:
        break;
    }
  }
  Repaint();
}

void Editor::LeftDown(Modifiers mods, int x, int y) {
  switch (state_) {
    case InteractionState::Normal: {
      const int i = NearObject(x, y, 0);
      if (i < 0) {
        Deselect();
        if (mods.shift) {
          objects_.modified = true;
          state_ = InteractionState::PanDrag;
          view_.SetDragCursor(CursorShape::Movable);
          anchorX_ = x;
          anchorY_ = y;
          SaveAllPositions(objects_);
        }
        return;
      }
      TGObject& o = objects_[static_cast<std::size_t>(i)];
      if (mods.ctrl) {
        if (!LabelHit(o, x, y, view_.PictureCanvas())) return;
        state_ = InteractionState::MoveObjectLabel;
        view_.SetDragCursor(CursorShape::Movable);
        ObjectSelect(i);
        o.SavedX = x;
        o.SavedY = y;
        SetPrompt(texts::kMovingLabel);
        return;
      }
      objects_.modified = true;
      state_ = mods.shift ? InteractionState::ShiftObject : InteractionState::MoveObject;
      ObjectSelect(i);
      view_.SetDragCursor(CursorShape::Dragging);
      o.SavedX = x;
      o.SavedY = y;
      SetPrompt(mods.shift ? texts::kShiftingObject : texts::kMovingObject);
      return;
    }
    case InteractionState::PlacePoint:
    case InteractionState::PlaceLine:
    case InteractionState::PlaceCircle:
      objects_.modified = true;
      PlaceFreeObject(x, y);
      return;
    case InteractionState::PickParents:
      PickAt(x, y);
      return;
    case InteractionState::MacroRecord:
    case InteractionState::MacroApply:
      MacroPress(x, y);
      return;
    case InteractionState::ZoomMode:
      StartMouseZoom(true);
      return;
    case InteractionState::TranslateMode:
    case InteractionState::RotateMode:
      objects_.modified = true;
      anchorX_ = x;
      anchorY_ = y;
      view_.SetDragCursor(CursorShape::Dragging);
      SaveAllPositions(objects_);
      return;
    case InteractionState::PointSymmetryMode: {
      objects_.modified = true;
      const int i = NearObject(x, y, kPointKind);
      if (i >= 0) {
        const auto& p = static_cast<const TGPoint&>(objects_[static_cast<std::size_t>(i)]);
        ReflectAllInPoint(objects_, p.X, p.Y);
      } else {
        ReflectAllInPoint(objects_, x, y);
      }
      return;
    }
    case InteractionState::LineSymmetryMode: {
      objects_.modified = true;
      const int i = NearObject(x, y, kLineKind);
      if (i >= 0) {
        // Copy the axis first: reflecting the drawing moves the line itself.
        const auto& l = static_cast<const TGLine&>(objects_[static_cast<std::size_t>(i)]);
        const double x1 = l.X1, y1 = l.Y1, x2 = l.X2, y2 = l.Y2;
        ReflectAllInLine(objects_, x1, y1, x2, y2);
      }
      return;
    }
    default:
      return;
  }
}

void Editor::LeftDrag(int x, int y) {
  TGObject* s = SelectedObject();
  switch (state_) {
    case InteractionState::PlaceLine:
    case InteractionState::PlaceCircle:
      StretchFreeObject(x, y);
      break;
    case InteractionState::MoveObject:
      if (s != nullptr) s->DragTo(x, y);
      break;
    case InteractionState::ShiftObject:
      if (s != nullptr) s->ShiftTo(x, y);
      break;
    case InteractionState::MoveObjectLabel:
      if (s != nullptr) s->MoveLabel(x, y, LabelMoveContext{labelControl_, this});
      break;
    case InteractionState::PanDrag:
    case InteractionState::TranslateMode:
      TranslateAll(objects_, x, y, Frame());
      break;
    case InteractionState::RotateMode:
      RotateAll(objects_, x, y, Frame());
      break;
    default:
      break;
  }
}

void Editor::MouseUp(MouseButton button, Modifiers mods, int x, int y) {
  if (button == MouseButton::Left) leftHeld_ = false;
  switch (state_) {
    case InteractionState::PlacePoint:
    case InteractionState::PlaceLine:
    case InteractionState::PlaceCircle:
      if (button == MouseButton::Left) FinishFreeObject(x, y);
      break;
    case InteractionState::MoveObject:
    case InteractionState::ShiftObject:
    case InteractionState::MoveObjectLabel:
      state_ = InteractionState::Normal;
      view_.SetSurfaceCursor(CursorShape::Movable);
      SetPrompt(texts::kStandardPrompt);
      break;
    case InteractionState::ZoomMode:
      zoomLoop_ = false;
      SetPrompt(texts::kStandardPrompt);
      break;
    case InteractionState::PanDrag:
      state_ = InteractionState::Normal;
      view_.SetSurfaceCursor(CursorShape::Default);
      SetPrompt(texts::kStandardPrompt);
      break;
    default:
      break;
  }
  Repaint();
}

void Editor::MouseLeave() {
  view_.SetCoordinates("", "");
}

void Editor::ShowPopup(int x, int y) {
  std::vector<PopupItem> items;
  Canvas& canvas = view_.PictureCanvas();
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    if (HitTest(objects_[i], x, y, canvas, Hits())) {
      items.push_back({objects_[i].Name, static_cast<int>(i)});
    }
  }
  if (!items.empty()) view_.ShowPopupMenu(x, y, items);
}

void Editor::MenuSelect(int tag) {
  if (objects_.at(tag) == nullptr) return;  // the drawing changed under the menu
  if (state_ == InteractionState::Normal) {
    ObjectSelect(tag);
  } else if (state_ == InteractionState::PickParents) {
    NextOSStep(tag);
  } else if (state_ == InteractionState::MacroRecord || state_ == InteractionState::MacroApply) {
    MacroChoice(tag);
  }
  Repaint();
}

// ---- zoom and whole-drawing keys -----------------------------------------------

void Editor::StartMouseZoom(bool zoomIn) {
  objects_.modified = true;
  zoomLoop_ = true;
  zoomIn_ = zoomIn;
  view_.StartZoomLoop();
}

bool Editor::ZoomStep() {
  if (!zoomLoop_) return false;
  const double f = 1 + zoomStep;
  if (zoomIn_ && viewScale_ < 10) {
    viewScale_ *= f;
    ScaleAll(objects_, lastX_, lastY_, f);
  } else if (!zoomIn_ && viewScale_ > 0.1) {
    viewScale_ /= f;
    ScaleAll(objects_, lastX_, lastY_, 1 / f);
  }
  Repaint();
  return zoomLoop_;
}

void Editor::KeyboardZoom(bool zoomIn) {
  const int cx = surfaceWidth_ / 2, cy = surfaceHeight_ / 2;
  if (zoomIn && viewScale_ < 10) {
    viewScale_ *= 1.2;
    ScaleAll(objects_, cx, cy, 1.2);
  } else if (!zoomIn && viewScale_ > 0.1) {
    viewScale_ /= 1.2;
    ScaleAll(objects_, cx, cy, 1 / 1.2);
  }
  Repaint();
}

void Editor::ArrowKey(int dx, int dy) {
  // A drag in progress owns the saved positions and the anchor; re-saving
  // them here would make the drawing leap at the next mouse move.
  if (leftHeld_) return;
  anchorX_ = 0;
  anchorY_ = 0;
  SaveAllPositions(objects_);
  TranslateAll(objects_, dx, dy, Frame());
  Repaint();
}

void Editor::KeyDown(Key key, Modifiers mods) {
  TGObject* s = SelectedObject();
  switch (key) {
    case Key::Escape:
      ReturnToNormal();
      return;
    case Key::Left:
      ArrowKey(-30, 0);
      return;
    case Key::Right:
      ArrowKey(30, 0);
      return;
    case Key::Up:
      ArrowKey(0, -30);
      return;
    case Key::Down:
      ArrowKey(0, 30);
      return;
    case Key::KeypadPlus:
      KeyboardZoom(true);
      return;
    case Key::KeypadMinus:
      KeyboardZoom(false);
      return;
    case Key::F1: {
      const std::string page = HelpPageForState();
      if (!page.empty()) view_.OpenHelpPage(page);
      return;
    }
    case Key::Digit0:
      if (s != nullptr) {
        s->MustDraw = !s->MustDraw;
        Repaint();
      }
      return;
    case Key::Digit1:
    case Key::Digit2:
    case Key::Digit3:
    case Key::Digit4:
    case Key::Digit5:
    case Key::Digit6:
    case Key::Digit7:
      if (s != nullptr) {
        const int width = static_cast<int>(key) - static_cast<int>(Key::Digit0);
        s->Width = width;
        if (width >= 2) s->PenStyle = 0;  // wide pens draw solid only
        Repaint();
      }
      return;
    case Key::V:
      if (!mods.ctrl) return;
      if (s != nullptr) s->NameVisible = !s->NameVisible;
      Repaint();
      return;
    case Key::Z:
      if (mods.ctrl) ReturnToNormal();
      return;
    case Key::C:
      if (mods.ctrl) NewObjectDialog(NewObjectKind::Circle);
      return;
    case Key::L:
      if (mods.ctrl) NewObjectDialog(NewObjectKind::Line);
      return;
    case Key::P:
      if (mods.ctrl) NewObjectDialog(NewObjectKind::Point);
      return;
    default:
      return;
  }
}

std::string Editor::HelpPageForState() const {
  switch (state_) {
    case InteractionState::Normal:
    case InteractionState::MoveObject:
    case InteractionState::ShiftObject:
      return texts::kHelpObjects;
    case InteractionState::PlacePoint:
    case InteractionState::PlaceLine:
    case InteractionState::PlaceCircle:
    case InteractionState::PickParents:
      return texts::kHelpMethods;
    case InteractionState::ZoomMode:
    case InteractionState::PanDrag:
    case InteractionState::TranslateMode:
    case InteractionState::RotateMode:
      return texts::kHelpPicture;
    case InteractionState::MacroRecord:
    case InteractionState::MacroApply:
      return texts::kHelpMacros;
    default:
      return {};
  }
}

// ---- commands ---------------------------------------------------------------

void Editor::ReturnToNormal() {
  switch (state_) {
    case InteractionState::PlacePoint:
    case InteractionState::PlaceLine:
    case InteractionState::PlaceCircle:
      if (!objects_.empty()) objects_.DeleteWithDescendants(objects_.size() - 1);
      break;
    case InteractionState::MacroApply:
      macroApply_.Cancel();
      break;
    case InteractionState::PickParents:
      view_.SetBlinkTimer(false);
      objects_.DropLast(static_cast<std::size_t>(creation_.autoPoints));
      creation_.autoPoints = 0;
      creation_.picks.clear();
      break;
    case InteractionState::MacroRecord:
      macroRecord_.Cancel(macroDialogs_);
      break;
    default:
      if (IsPictureMode(state_)) view_.ShowModeButton(InteractionState::Normal);
      break;
  }
  // Marks are traversal scratch; nothing may carry them out of a mode.
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    objects_[i].Mark = 0;
    objects_[i].MacroMark = false;
  }
  zoomLoop_ = false;
  Deselect();
  state_ = InteractionState::Normal;
  SetPrompt(texts::kStandardPrompt);
  view_.SetSurfaceCursor(CursorShape::Default);
  Repaint();
}

void Editor::ToggleMode(InteractionState mode) {
  if (!IsPictureMode(mode)) return;
  if (state_ == mode) {
    ReturnToNormal();
    return;
  }
  ReturnToNormal();
  state_ = mode;
  view_.ShowModeButton(mode);
  switch (mode) {
    case InteractionState::ZoomMode:
      view_.SetSurfaceCursor(CursorShape::Zoom);
      SetPrompt(texts::kZoomPrompt);
      break;
    case InteractionState::TranslateMode:
      view_.SetSurfaceCursor(CursorShape::Movable);
      SetPrompt(texts::kTranslatePrompt);
      break;
    case InteractionState::RotateMode:
      view_.SetSurfaceCursor(CursorShape::Movable);
      SetPrompt(texts::kRotatePrompt);
      break;
    case InteractionState::PointSymmetryMode:
      view_.SetSurfaceCursor(CursorShape::Default);
      SetPrompt(texts::kPointSymmetryPrompt);
      break;
    default:
      view_.SetSurfaceCursor(CursorShape::Default);
      SetPrompt(texts::kLineSymmetryPrompt);
      break;
  }
}

void Editor::ToggleShowAll() {
  showAll_ = !showAll_;
  Deselect();
  Repaint();
}

void Editor::ToggleLabelControl() {
  labelControl_ = !labelControl_;
}

void Editor::DeleteSelected() {
  if (selected_ >= 0 && state_ == InteractionState::Normal && SelectedObject() != nullptr) {
    objects_.DeleteWithDescendants(static_cast<std::size_t>(selected_));
  }
  Deselect();
  Repaint();
}

void Editor::ClearDrawing() {
  // A recording or an application refers to objects that are about to go.
  if (state_ == InteractionState::MacroRecord) macroRecord_.Cancel(macroDialogs_);
  if (state_ == InteractionState::MacroApply) macroApply_.Cancel();
  objects_.modified = false;
  objects_.Clear();
  creation_ = CreationState{};
  Deselect();
  state_ = InteractionState::Normal;
  view_.SetBlinkTimer(false);
  view_.ShowModeButton(InteractionState::Normal);
  viewScale_ = 1.0;
  zoomLoop_ = false;
  SetPrompt(texts::kStandardPrompt);
  view_.SetSurfaceCursor(CursorShape::Default);
  Repaint();
}

}  // namespace zelmora
