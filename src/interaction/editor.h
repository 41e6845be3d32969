#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geometry/hit_test.h"
#include "geometry/object_list.h"
#include "interaction/creation_state.h"
#include "interaction/drawing_replay.h"
#include "interaction/editor_view.h"
#include "interaction/export_rect.h"
#include "interaction/history.h"
#include "interaction/interaction_state.h"
#include "interaction/keys.h"
#include "interaction/macro_dialogs.h"

namespace zelmora {

enum class MouseButton { Left, Right, Middle };

// Keys and buttons held during a mouse event or a key press.
struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool left = false;   // left button held
  bool right = false;  // right button held
};

// The settings of the options dialog that act on the editor at once.
struct EditorSettings {
  int feeling = 5;         // hit distance in pixels
  double zoomStep = 0.05;  // one mouse-zoom step multiplies by 1 + zoomStep
  double screenDpi = 96;   // the scale of measurements shown in centimetres
};

// The limits of the view scale, and the fixed steps of the keyboard.
inline constexpr double kMaxViewScale = 10;
inline constexpr double kMinViewScale = 0.1;
inline constexpr double kKeyboardZoomFactor = 1.2;
// While a zoom button is held, one step at the press and then one per this
// many milliseconds: a click is one step, holding zooms at an even pace
// however fast the machine runs the loop.
inline constexpr long long kMouseZoomIntervalMs = 40;
inline constexpr int kArrowStep = 30;  // pixels the drawing moves per arrow key
inline constexpr double kCentimetresPerInch = 2.54;

class EditorMode;
class ExportMode;
class BuildMode;
class MacroRecordMode;
class MacroApplyMode;
class TaskPickMode;
class TaskPickPort;

// The drawing editor: owns the drawing and everything a mouse press or a key
// can change in it, and talks to its window only through EditorView. Qt-free,
// so every interaction can be tested in milliseconds.
class Editor : private CursorPlacer {
 public:
  Editor(EditorView& view, ConstructionTables& tables);
  ~Editor() override;

  ObjectList& Objects() { return objects_; }
  const ObjectList& Objects() const { return objects_; }
  InteractionState State() const;
  int Selected() const { return selected_; }
  double ViewScale() const { return viewScale_; }
  bool ZoomLoopActive() const { return zoomLoop_; }
  const CreationState& Creation() const;

  void ApplySettings(const EditorSettings& settings) { settings_ = settings; }
  const EditorSettings& Settings() const { return settings_; }
  bool ShowAll() const { return showAll_; }
  bool LabelControl() const { return labelControl_; }

  // The drawing surface and the main window's outer size.
  void Resize(int surfaceWidth, int surfaceHeight, int windowWidth, int windowHeight);
  int SurfaceWidth() const { return surfaceWidth_; }
  int SurfaceHeight() const { return surfaceHeight_; }

  // Mouse on the drawing surface, in surface pixels.
  void MouseDown(MouseButton button, Modifiers mods, int x, int y);
  void MouseMove(Modifiers mods, int x, int y);
  void MouseUp(MouseButton button, Modifiers mods, int x, int y);
  void MouseLeave();
  void KeyDown(Key key, Modifiers mods);
  void TimerTick();
  // One step of the mouse zoom; false once the button is released.
  bool ZoomStep();
  // A choice in the object popup menu.
  void MenuSelect(int tag);

  // Commands.
  void ReturnToNormal();
  void ToggleMode(InteractionState mode);
  void ToggleShowAll();
  void ToggleLabelControl();
  void DeleteSelected();
  // A creation command: return to normal, then construct by `command` until
  // cancelled. A command that is not enabled only returns to normal.
  void StartCreation(Command command);
  // The new-object dialog of a group, offering its enabled commands; nothing
  // opens when none is enabled.
  void NewObjectDialog(CommandGroup group);
  // The commands the user may give (all, until a lesson says otherwise). A
  // running creation of a command taken away returns to normal; the window
  // is told, so its menus, tool bar and dialogs follow.
  void SetEnabledCommands(const CommandSet& enabled);
  const CommandSet& EnabledCommands() const { return enabled_; }
  // Measuring commands: pick the objects of `what` until cancelled; place one text.
  void StartMeasure(Measurement what);
  void StartTextPlacing();
  // Empties the drawing, as New does: counters, selection, state, view scale.
  void ClearDrawing();
  // How many objects at the start of the drawing, a lesson task's givens,
  // may not be deleted; 0 outside a lesson.
  void KeepFirstObjects(std::size_t count) { keptObjects_ = count; }
  // Undo and redo of the menu: back to the normal state, then one step.
  void Undo();
  void Redo();
  const History& ActionHistory() const { return history_; }
  // The author and comment that belong to the drawing's history.
  void AttachDocumentInfo(DocumentInfo* info);
  // The drawing as it is now starts a fresh history (New, Open).
  void ResetHistory();
  // The drawing as it is now is the one in the file.
  void MarkSaved();
  // Records what the current user action changed as one history entry, then
  // sets the modified mark from the history. Every mouse event, key and
  // popup choice ends with it; a dialog that changes the drawing calls it.
  // `name` says what was done ("перемещение A1"); empty: the name given by
  // NameAction, or one taken from what changed.
  void CommitAction(std::string name = {});
  void NameAction(std::string name);
  // Whatever happens between them (a macro applied step by step) is one
  // entry; pairs may nest.
  void BeginAction(std::string name);
  void EndAction();

  // The region export: choose a rectangle on the surface ("Графический
  // файл"), then write it ("Экспорт"). Cancelling is ReturnToNormal.
  void StartExport(ExportView& view);
  void ConfirmExport();
  // The rectangle chosen in the export so far; none outside the export or
  // before a rectangle is dragged.
  std::optional<PixelRect> ChosenExportArea() const;
  // The help page for F1 in the current state; empty where F1 does nothing.
  std::string HelpPageForState() const;

  // Rebuilds the off-screen picture and shows it.
  void Repaint();
  void Paint(Canvas& canvas);
  // How the objects are painted now.
  DrawContext PaintContext() const {
    return {showAll_, windowWidth_, windowHeight_, settings_.screenDpi / kCentimetresPerInch};
  }

  // The construction shown step by step (the protocol window): painting
  // shows the first objects only, the newest selected. Every edit, and every
  // command that starts one, first shows the whole drawing again.
  const DrawingReplay& Replay() const { return replay_; }
  void SetReplayListener(std::function<void()> onStop) { replay_.SetStopListener(onStop); }
  void ShowReplayStep(std::size_t step);
  void EndReplay();

  // Macros. The window supplies the selection panel and the dialogs of a
  // recording; without them a recording does not start.
  void SetMacroDialogs(MacroDialogs* dialogs) { macroDialogs_ = dialogs; }
  void StartMacroRecording();
  // The selection panel's action button while a macro is recorded.
  void MacroPanelAction();
  // A Macros menu item: pick the arguments of the macro at `path`.
  void StartMacroApplication(const std::string& path);
  const MacroRecordMode& MacroRecorder() const { return *macroRecord_; }

  // "Создать задачу…": the givens, then the targets, picked on the drawing;
  // the window's bar and the rest of the task through `port`.
  void StartTaskPicking(TaskPickPort& port);
  // The bar's action button while a task is picked: "Дальше", then "Готово".
  void TaskPickAction();

  int NearObject(double x, double y, int kind);
  void ObjectSelect(int index);

 private:
  // The modes reach the editor's shared parts through ModeContext.
  friend class ModeContext;
  void SetMode(InteractionState state);
  TGObject* SelectedObject() { return objects_.at(selected_); }
  void Deselect();
  void SetPrompt(const std::string& text) { view_.SetPrompt(text); }
  // The help label and cursor for what lies under the mouse: objects of
  // `kind` (0: any); `picking` shows the hand even over a draggable object.
  void DescribeObjectAt(int x, int y, int kind, bool picking);
  void ShowPopup(int x, int y);
  // A whole-drawing transform anchored at a press: positions saved, the
  // drawing marked changed.
  void BeginTransform(int x, int y);
  TransformFrame Frame() const;
  void StartMouseZoom(bool zoomIn);
  // The creation the user asked for, from its first step.
  void RestartCreation();
  // A text of the prompt table (step 0: the method's title); "" after the
  // error message when the table cannot be read.
  std::string Text(MethodCode method, int step);

  // One zoom step about (cx, cy), short of the limits of the view scale.
  void ScaleView(bool zoomIn, double factor, int cx, int cy);
  void PutCursorAt(double planeX, double planeY) override;
  bool Returning(int x, int y);
  void HandleKey(Key key, Modifiers mods);
  void AfterHistoryStep();
  void FollowHistory();
  void KeyboardZoom(bool zoomIn);
  void ArrowKey(int dx, int dy);
  void SelectedKey(Key key);
  HitContext Hits() const { return {showAll_, settings_.feeling}; }

  EditorView& view_;
  ConstructionTables& tables_;
  ObjectList objects_;
  std::size_t keptObjects_ = 0;
  EditorSettings settings_;
  std::array<std::unique_ptr<EditorMode>, kInteractionStateCount> modes_;
  EditorMode* mode_ = nullptr;
  ExportMode* export_ = nullptr;
  int selected_ = -1;
  bool showAll_ = false;
  bool labelControl_ = true;
  double viewScale_ = 1.0;
  int anchorX_ = 0, anchorY_ = 0;
  int lastX_ = 0, lastY_ = 0;
  bool zoomLoop_ = false;
  bool leftHeld_ = false;
  bool zoomIn_ = true;
  long long lastZoomStepMs_ = 0;
  long long blinkCounter_ = 0;
  int surfaceWidth_ = 0, surfaceHeight_ = 0;
  int windowWidth_ = 0, windowHeight_ = 0;
  CommandSet enabled_ = CommandSet::All();
  MacroDialogs* macroDialogs_ = nullptr;
  BuildMode* build_ = nullptr;
  MacroRecordMode* macroRecord_ = nullptr;
  MacroApplyMode* macroApply_ = nullptr;
  TaskPickMode* taskPick_ = nullptr;
  History history_;
  DrawingReplay replay_;
  DocumentInfo* info_ = nullptr;
  std::string actionName_;
  int actionDepth_ = 0;
};

}  // namespace zelmora
