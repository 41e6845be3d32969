#pragma once

#include <string>
#include <vector>

#include "geometry/hit_test.h"
#include "geometry/object_list.h"
#include "interaction/creation_state.h"
#include "interaction/editor_view.h"
#include "interaction/interaction_state.h"
#include "interaction/macro_modes.h"

namespace zelmora {

enum class MouseButton { Left, Right, Middle };

// Keys and buttons held during a mouse event or a key press.
struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool left = false;   // left button held
  bool right = false;  // right button held
};

enum class Key {
  Escape,
  Left,
  Right,
  Up,
  Down,
  KeypadPlus,
  KeypadMinus,
  F1,
  Digit0,
  Digit1,
  Digit2,
  Digit3,
  Digit4,
  Digit5,
  Digit6,
  Digit7,
  C,
  L,
  P,
  V,
  Z,
  Other,
};

// The drawing editor: owns the drawing and everything a mouse press or a key
// can change in it, and talks to its window only through EditorView. Qt-free,
// so every interaction can be tested in milliseconds.
class Editor : private CursorPlacer {
 public:
  Editor(EditorView& view, ConstructionTables& tables);

  ObjectList& Objects() { return objects_; }
  const ObjectList& Objects() const { return objects_; }
  InteractionState State() const { return state_; }
  int Selected() const { return selected_; }
  double ViewScale() const { return viewScale_; }
  bool ZoomLoopActive() const { return zoomLoop_; }
  const CreationState& Creation() const { return creation_; }

  // Settings that act at once.
  int feeling = 5;
  double zoomStep = 0.05;  // one mouse-zoom step multiplies by 1 + zoomStep
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
  // A creation command: return to normal, then construct by `method` until cancelled.
  void StartCreation(int method);
  void NewObjectDialog(NewObjectKind kind);
  // Empties the drawing, as New does: counters, selection, state, view scale.
  void ClearDrawing();
  // The help page for F1 in the current state; empty where F1 does nothing.
  std::string HelpPageForState() const;

  // Rebuilds the off-screen picture and shows it.
  void Repaint();
  void Paint(Canvas& canvas);

  // Macros. The window supplies the selection panel and the dialogs of a
  // recording; without them a recording does not start.
  void SetMacroDialogs(MacroDialogs* dialogs) { macroDialogs_ = dialogs; }
  void StartMacroRecording();
  // The selection panel's action button while a macro is recorded.
  void MacroPanelAction();
  // A Macros menu item: pick the arguments of the macro at `path`.
  void StartMacroApplication(const std::string& path);
  const MacroRecordMode& MacroRecorder() const { return macroRecord_; }
  const MacroApplyMode& MacroApplier() const { return macroApply_; }

  // Offers an object as the next pick of the running construction.
  void NextOSStep(int index);
  int NearObject(double x, double y, int kind);
  void ObjectSelect(int index);

 private:
  void PutCursorAt(double planeX, double planeY) override;
  void Deselect();
  void SetPrompt(const std::string& text) { view_.SetPrompt(text); }
  bool Returning(int x, int y);
  void Hover(int x, int y);
  void LeftDown(Modifiers mods, int x, int y);
  void LeftDrag(int x, int y);
  void ShowPopup(int x, int y);
  void StartMouseZoom(bool zoomIn);
  void KeyboardZoom(bool zoomIn);
  void ArrowKey(int dx, int dy);
  TransformFrame Frame() const;
  HitContext Hits() const { return {showAll_, feeling}; }
  TGObject* SelectedObject() const { return objects_.at(selected_); }

  // Creation sequence.
  void RestartCreation();
  void PlaceFreeObject(int x, int y);
  void StretchFreeObject(int x, int y);
  void FinishFreeObject(int x, int y);
  void PickAt(int x, int y);
  int FilterCandidates(int index);
  bool BuildObject(int method);
  void ShowMethodPrompt(int method, int step);
  void DrawPicks(bool blink);

  // Macros.
  void MacroPress(int x, int y);
  void MacroChoice(int index);
  void EndMacroApplication(MacroStep step);

  EditorView& view_;
  ConstructionTables& tables_;
  ObjectList objects_;
  InteractionState state_ = InteractionState::Normal;
  int selected_ = -1;
  bool showAll_ = false;
  bool labelControl_ = true;
  double viewScale_ = 1.0;
  int anchorX_ = 0, anchorY_ = 0;
  int lastX_ = 0, lastY_ = 0;
  bool zoomLoop_ = false;
  bool leftHeld_ = false;
  bool zoomIn_ = true;
  long long blinkCounter_ = 0;
  int surfaceWidth_ = 0, surfaceHeight_ = 0;
  int windowWidth_ = 0, windowHeight_ = 0;
  CreationState creation_;
  MacroDialogs* macroDialogs_ = nullptr;
  MacroRecordMode macroRecord_{objects_, view_};
  MacroApplyMode macroApply_{objects_, view_};
};

}  // namespace zelmora
