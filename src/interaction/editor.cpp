#include "interaction/editor.h"

#include <chrono>
#include <string>

#include "geometry/construction_method.h"
#include "geometry/paint.h"
#include "geometry/pixel.h"
#include "geometry/whole_drawing.h"
#include "interaction/editor_texts.h"
#include "interaction/macro_modes.h"
#include "interaction/modes/build_mode.h"
#include "interaction/modes/creation_modes.h"
#include "interaction/modes/export_mode.h"
#include "interaction/modes/measure_modes.h"
#include "interaction/modes/object_modes.h"
#include "interaction/modes/picture_modes.h"
#include "interaction/modes/task_pick_mode.h"

namespace zelmora {
namespace {

// Objects a user can drag: free objects and points that slide on a carrier.
bool IsDraggable(const TGObject& o) {
  if (o.Kind() == kTextKind || o.Kind() == kMeasureKind) return true;  // a text, a caption
  const MethodInfo* method = MethodOf(o);
  return method != nullptr && method->draggable;
}

// How far each arrow key moves the drawing.
struct ArrowMove {
  Key key;
  int dx, dy;
};
constexpr ArrowMove kArrowMoves[] = {
    {Key::Left, -kArrowStep, 0},
    {Key::Right, kArrowStep, 0},
    {Key::Up, 0, -kArrowStep},
    {Key::Down, 0, kArrowStep},
};

}  // namespace

Editor::Editor(EditorView& view, ConstructionTables& tables) : view_(view), tables_(tables) {
  auto add = [this](std::unique_ptr<EditorMode> mode) {
    const auto slot = static_cast<std::size_t>(mode->State());
    modes_[slot] = std::move(mode);
  };
  add(std::make_unique<NormalMode>(*this));
  add(std::make_unique<ObjectDragMode>(*this, false));
  add(std::make_unique<ObjectDragMode>(*this, true));
  add(std::make_unique<LabelDragMode>(*this));
  add(std::make_unique<PanMode>(*this));
  add(std::make_unique<PlaceMode>(*this, InteractionState::PlacePoint));
  add(std::make_unique<PlaceMode>(*this, InteractionState::PlaceLine));
  add(std::make_unique<PlaceMode>(*this, InteractionState::PlaceCircle));
  auto build = std::make_unique<BuildMode>(*this);
  build_ = build.get();
  add(std::move(build));
  add(std::make_unique<ZoomMode>(*this));
  add(std::make_unique<TranslateMode>(*this));
  add(std::make_unique<RotateMode>(*this));
  add(std::make_unique<PointSymmetryMode>(*this));
  add(std::make_unique<LineSymmetryMode>(*this));
  auto exportMode = std::make_unique<ExportMode>(*this);
  export_ = exportMode.get();
  add(std::move(exportMode));
  auto record = std::make_unique<MacroRecordMode>(*this);
  macroRecord_ = record.get();
  add(std::move(record));
  auto apply = std::make_unique<MacroApplyMode>(*this);
  macroApply_ = apply.get();
  add(std::move(apply));
  add(std::make_unique<MeasureMode>(*this));
  add(std::make_unique<PlaceTextMode>(*this));
  auto taskPick = std::make_unique<TaskPickMode>(*this);
  taskPick_ = taskPick.get();
  add(std::move(taskPick));
  mode_ = modes_[static_cast<std::size_t>(InteractionState::Normal)].get();
  history_.Reset(objects_, info_);
}

Editor::~Editor() = default;

InteractionState Editor::State() const {
  return mode_->State();
}

void Editor::SetMode(InteractionState state) {
  EditorMode* next = modes_[static_cast<std::size_t>(state)].get();
  if (next == nullptr) return;  // a state no mode serves yet
  mode_ = next;
  mode_->Enter();
}

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

void Editor::BeginTransform(int x, int y) {
  objects_.MarkModified();
  anchorX_ = x;
  anchorY_ = y;
  SaveAllPositions(objects_);
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
  // A replay shows the first objects only; the mouse finds no other.
  const std::size_t shown = replay_.Active() ? replay_.Step() : objects_.size();
  if (TGObject* s = SelectedObject();
      s != nullptr && static_cast<std::size_t>(selected_) < shown && fits(*s)) {
    return selected_;
  }
  for (std::size_t i = 0; i < shown; ++i) {
    if (fits(objects_[i])) return static_cast<int>(i);
  }
  return -1;
}

void Editor::ObjectSelect(int index) {
  TGObject* o = objects_.at(index);
  if (o == nullptr) return;
  selected_ = index;
  const int kind = o->Kind();
  const char* prefix = kind >= 1 && kind <= kTextKind ? texts::kSelectedPrefixes[kind] : "";
  view_.SetObjectLabel(prefix + o->Name);
}

void Editor::Deselect() {
  selected_ = -1;
  view_.SetObjectLabel(texts::kNoSelection);
}

void Editor::DescribeObjectAt(int x, int y, int kind, bool picking) {
  const int i = NearObject(x, y, kind);
  if (i < 0) {
    view_.SetHelpLabel(texts::kNothingHere);
    view_.SetSurfaceCursor(CursorShape::Default);
    return;
  }
  const TGObject& o = objects_[static_cast<std::size_t>(i)];
  const int k = o.Kind();
  view_.SetHelpLabel(std::string(texts::kThisIs) +
                     (k >= 1 && k <= kTextKind ? texts::kKindNames[k] : "") + " " + o.Name);
  view_.SetSurfaceCursor(!picking && IsDraggable(o) ? CursorShape::Movable
                                                    : CursorShape::HandPoint);
}

// ---- painting ---------------------------------------------------------------

void Editor::Paint(Canvas& canvas) {
  if (replay_.Active()) {
    PaintFirstObjects(canvas, objects_, replay_.Step(), PaintContext(), surfaceWidth_,
                      surfaceHeight_);
  } else {
    PaintDrawing(canvas, objects_, SelectedObject(), PaintContext(), surfaceWidth_, surfaceHeight_);
  }
  mode_->PaintOverlay(canvas);
}

void Editor::ShowReplayStep(std::size_t step) {
  replay_.Show(step, objects_.size());
  Repaint();
}

void Editor::EndReplay() {
  if (!replay_.Active()) return;
  replay_.Stop();
  Repaint();
}

void Editor::Repaint() {
  Paint(view_.PictureCanvas());
  view_.Present();
}

void Editor::TimerTick() {
  mode_->Tick(blinkCounter_ % 2 != 0);
  ++blinkCounter_;
  view_.Present();
}

void Editor::StartMeasure(Measurement what) {
  const auto command = CommandWithCode(CodeOf(what));
  if (command) StartCreation(*command);
}

void Editor::StartTextPlacing() {
  StartCreation(Command::PlaceText);
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
    mode_->Drag(x, y);
    Repaint();
  } else if (!mods.right) {
    mode_->Hover(x, y);
  }
  view_.SetCoordinates(std::to_string(x), std::to_string(y));
}

void Editor::MouseDown(MouseButton button, Modifiers mods, int x, int y) {
  replay_.Stop();
  if (button == MouseButton::Left) {
    leftHeld_ = true;
    mode_->LeftPress(mods, x, y);
  } else if (button == MouseButton::Right) {
    mode_->RightPress(x, y);
  }
  CommitAction();
  Repaint();
}

void Editor::MouseUp(MouseButton button, Modifiers, int x, int y) {
  if (button == MouseButton::Left) leftHeld_ = false;
  mode_->Release(button, x, y);
  CommitAction();
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
  replay_.Stop();
  if (objects_.at(tag) == nullptr) return;  // the drawing changed under the menu
  mode_->MenuSelect(tag);
  CommitAction();
  Repaint();
}

// ---- zoom and whole-drawing keys -----------------------------------------------

long long TimerPort::MonotonicMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Editor::StartMouseZoom(bool zoomIn) {
  objects_.MarkModified();
  zoomLoop_ = true;
  zoomIn_ = zoomIn;
  lastZoomStepMs_ = view_.MonotonicMilliseconds();
  ScaleView(zoomIn_, 1 + settings_.zoomStep, lastX_, lastY_);
  view_.StartZoomLoop();
}

bool Editor::ZoomStep() {
  if (!zoomLoop_) return false;
  const long long now = view_.MonotonicMilliseconds();
  // After a stall the pace resumes; missed steps are not made up in a burst.
  if (now - lastZoomStepMs_ >= kMouseZoomIntervalMs) {
    lastZoomStepMs_ = now;
    ScaleView(zoomIn_, 1 + settings_.zoomStep, lastX_, lastY_);
  }
  return zoomLoop_;
}

void Editor::ScaleView(bool zoomIn, double factor, int cx, int cy) {
  if (zoomIn && viewScale_ < kMaxViewScale) {
    viewScale_ *= factor;
    ScaleAll(objects_, cx, cy, factor);
  } else if (!zoomIn && viewScale_ > kMinViewScale) {
    viewScale_ /= factor;
    ScaleAll(objects_, cx, cy, 1 / factor);
  }
  NameAction(texts::kZoomAction);
  Repaint();
}

void Editor::KeyboardZoom(bool zoomIn) {
  ScaleView(zoomIn, kKeyboardZoomFactor, surfaceWidth_ / 2, surfaceHeight_ / 2);
}

void Editor::ArrowKey(int dx, int dy) {
  // A drag in progress owns the saved positions and the anchor; re-saving
  // them here would make the drawing leap at the next mouse move.
  if (leftHeld_) return;
  anchorX_ = 0;
  anchorY_ = 0;
  SaveAllPositions(objects_);
  TranslateAll(objects_, dx, dy, Frame());
  NameAction(texts::kTranslateAction);
  Repaint();
}

// Digits 0..7 act on the selected object: 0 shows or hides it, 1..7 set the
// pen width.
void Editor::SelectedKey(Key key) {
  TGObject* s = SelectedObject();
  if (s == nullptr) return;
  ChangeLog::Restyling(*s);
  if (key == Key::Digit0) {
    s->MustDraw = !s->MustDraw;
    NameAction(texts::kVisibilityAction + s->Name);
  } else {
    NameAction(texts::kWidthAction + s->Name);
    const int width = static_cast<int>(key) - static_cast<int>(Key::Digit0);
    s->Width = width;
    if (width >= 2) s->PenStyle = 0;  // wide pens draw solid only
  }
  Repaint();
}

void Editor::KeyDown(Key key, Modifiers mods) {
  replay_.Stop();
  HandleKey(key, mods);
  CommitAction();
}

void Editor::HandleKey(Key key, Modifiers mods) {
  if (mode_->KeyDown(key, mods)) return;
  for (const ArrowMove& arrow : kArrowMoves) {
    if (arrow.key == key) return ArrowKey(arrow.dx, arrow.dy);
  }
  if (key >= Key::Digit0 && key <= Key::Digit7) return SelectedKey(key);
  switch (key) {
    case Key::Escape:
      return ReturnToNormal();
    case Key::KeypadPlus:
    case Key::KeypadMinus:
      return KeyboardZoom(key == Key::KeypadPlus);
    case Key::F1:
      if (const std::string page = HelpPageForState(); !page.empty()) view_.OpenHelpPage(page);
      return;
    default:
      break;
  }
  if (!mods.ctrl) return;
  if (const auto group = GroupWithKey(key)) return NewObjectDialog(*group);
  switch (key) {
    case Key::V:
      if (TGObject* s = SelectedObject()) {
        ChangeLog::Restyling(*s);
        s->NameVisible = !s->NameVisible;
        NameAction(texts::kNameVisibilityAction + s->Name);
      }
      return Repaint();
    case Key::Z:
      // Outside the normal state Ctrl+Z cancels what is in progress, which
      // is the undo a user means there.
      if (mods.shift) return Redo();
      if (State() == InteractionState::Normal) return Undo();
      return ReturnToNormal();
    case Key::Y:
      return Redo();
    default:
      return;
  }
}

std::string Editor::HelpPageForState() const {
  return mode_->HelpPage();
}

// ---- commands ---------------------------------------------------------------

void Editor::ReturnToNormal() {
  replay_.Stop();
  mode_->Leave();
  // Marks are traversal scratch; nothing may carry them out of a mode.
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    objects_[i].Mark = 0;
    objects_[i].MacroMark = false;
  }
  zoomLoop_ = false;
  Deselect();
  SetMode(InteractionState::Normal);
  SetPrompt(texts::kStandardPrompt);
  view_.SetSurfaceCursor(CursorShape::Default);
  Repaint();
}

void Editor::ToggleMode(InteractionState mode) {
  if (!IsPictureMode(mode)) return;
  const bool leaving = State() == mode;
  ReturnToNormal();
  if (!leaving) SetMode(mode);
}

void Editor::StartExport(ExportView& view) {
  ReturnToNormal();
  export_->Start(view);
  SetMode(InteractionState::ExportRect);
  Repaint();
}

void Editor::ConfirmExport() {
  if (State() == InteractionState::ExportRect) export_->Confirm();
}

std::optional<PixelRect> Editor::ChosenExportArea() const {
  if (State() != InteractionState::ExportRect || export_->Area().Empty()) return std::nullopt;
  return export_->Area();
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
  replay_.Stop();
  const bool kept = static_cast<std::size_t>(selected_) < keptObjects_;
  if (selected_ >= 0 && !kept && State() == InteractionState::Normal &&
      SelectedObject() != nullptr) {
    objects_.DeleteWithDescendants(static_cast<std::size_t>(selected_));
  }
  Deselect();
  CommitAction();
  Repaint();
}

void Editor::ClearDrawing() {
  // Whatever the mode holds (a panel, picks, half-made objects) refers to
  // the drawing that is about to go.
  mode_->Leave();
  replay_.Stop();
  objects_.ClearModified();
  objects_.Clear();
  build_->Reset();
  Deselect();
  mode_ = modes_[static_cast<std::size_t>(InteractionState::Normal)].get();
  view_.SetBlinkTimer(false);
  view_.ShowModeButton(InteractionState::Normal);
  viewScale_ = 1.0;
  zoomLoop_ = false;
  actionDepth_ = 0;
  actionName_.clear();
  history_.Reset(objects_, info_);
  SetPrompt(texts::kStandardPrompt);
  view_.SetSurfaceCursor(CursorShape::Default);
  Repaint();
}

// ---- history ----------------------------------------------------------------

void Editor::AttachDocumentInfo(DocumentInfo* info) {
  info_ = info;
  history_.Reset(objects_, info_);
}

void Editor::ResetHistory() {
  replay_.Stop();
  actionDepth_ = 0;
  actionName_.clear();
  history_.Reset(objects_, info_);
}

void Editor::MarkSaved() {
  CommitAction();
  history_.MarkSaved();
  objects_.ClearModified();
}

// The drawing differs from the file exactly when the history is elsewhere
// than the state last saved or opened.
void Editor::FollowHistory() {
  if (history_.AtSavedState()) {
    objects_.ClearModified();
  } else {
    objects_.MarkModified();
  }
}

void Editor::NameAction(std::string name) {
  if (actionDepth_ == 0) actionName_ = std::move(name);
}

void Editor::CommitAction(std::string name) {
  // A held zoom button is one action: it is recorded at the release.
  if (actionDepth_ > 0 || zoomLoop_) return;
  if (name.empty()) name = std::move(actionName_);
  actionName_.clear();
  // A dialog may change the drawing without a press or a command: the
  // replayed steps no longer show it.
  if (history_.Commit(objects_, info_, mode_->PendingObjects(), std::move(name))) replay_.Stop();
  FollowHistory();
}

void Editor::BeginAction(std::string name) {
  if (actionDepth_ == 0) {
    CommitAction();
    actionName_ = std::move(name);
  }
  ++actionDepth_;
}

void Editor::EndAction() {
  if (actionDepth_ == 0) return;
  if (--actionDepth_ == 0) CommitAction();
}

// Only the normal state has no half-built objects, so a step always starts
// from there; whatever was changed but not yet recorded becomes an entry
// first, so the step cannot skip it.
void Editor::Undo() {
  ReturnToNormal();
  CommitAction();
  history_.Undo(objects_, info_);
  AfterHistoryStep();
}

void Editor::Redo() {
  ReturnToNormal();
  CommitAction();
  history_.Redo(objects_, info_);
  AfterHistoryStep();
}

void Editor::AfterHistoryStep() {
  FollowHistory();
  Deselect();
  Repaint();
}

}  // namespace zelmora
