#pragma once

#include <string>

#include "interaction/editor.h"

namespace zelmora {

// The editor as its modes see it: what every mode shares (the drawing, the
// window, the selection, the view, the settings, the action names) and the
// switch between modes. The window and the tests use the Editor's public
// calls instead, so these stay out of them. Like a reference, it gives the
// same access from a const mode.
class ModeContext {
 public:
  explicit ModeContext(Editor& editor) : e_(editor) {}

  ObjectList& Objects() const { return e_.objects_; }
  EditorView& View() const { return e_.view_; }
  ConstructionTables& Tables() const { return e_.tables_; }
  const EditorSettings& Settings() const { return e_.settings_; }
  HitContext Hits() const { return e_.Hits(); }
  DrawContext PaintContext() const { return e_.PaintContext(); }
  int SurfaceWidth() const { return e_.surfaceWidth_; }
  int SurfaceHeight() const { return e_.surfaceHeight_; }
  // Where the mouse was last seen on the surface.
  int LastX() const { return e_.lastX_; }
  int LastY() const { return e_.lastY_; }
  MacroDialogs* Dialogs() const { return e_.macroDialogs_; }

  // Switches to the mode of `state` and lets it show its prompt and cursor.
  // Leaving the old mode is the caller's business: ReturnToNormal undoes
  // what is half done, a finished drag has nothing to undo.
  void SetMode(InteractionState state) const { e_.SetMode(state); }
  void ReturnToNormal() const { e_.ReturnToNormal(); }
  void Repaint() const { e_.Repaint(); }
  void SetPrompt(const std::string& text) const { e_.SetPrompt(text); }
  std::string Text(MethodCode method, int step) const { return e_.Text(method, step); }
  void NameAction(std::string name) const { e_.NameAction(std::move(name)); }

  TGObject* SelectedObject() const { return e_.SelectedObject(); }
  int NearObject(double x, double y, int kind) const { return e_.NearObject(x, y, kind); }
  void ObjectSelect(int index) const { e_.ObjectSelect(index); }
  void Deselect() const { e_.Deselect(); }
  void DescribeObjectAt(int x, int y, int kind, bool picking) const {
    e_.DescribeObjectAt(x, y, kind, picking);
  }
  void ShowPopup(int x, int y) const { e_.ShowPopup(x, y); }

  void BeginTransform(int x, int y) const { e_.BeginTransform(x, y); }
  TransformFrame Frame() const { return e_.Frame(); }
  void StartMouseZoom(bool zoomIn) const { e_.StartMouseZoom(zoomIn); }
  void StopMouseZoom() const { e_.zoomLoop_ = false; }
  LabelMoveContext LabelMove() const { return {e_.labelControl_, &e_}; }
  // The command the user chose, running again from its first step.
  void RestartCreation() const { e_.RestartCreation(); }
  const CreationState& Creation() const { return e_.Creation(); }

 private:
  Editor& e_;
};

// What a mouse press, drag, release or key means in one interaction state.
// The Editor holds one object of each mode and forwards every event to the
// current one; what modes share stays in the Editor, reached through
// ModeContext. A new state is one more class here, registered in the
// Editor's constructor.
class EditorMode {
 public:
  explicit EditorMode(Editor& editor) : editor_(editor) {}
  virtual ~EditorMode() = default;
  EditorMode(const EditorMode&) = delete;
  EditorMode& operator=(const EditorMode&) = delete;

  virtual InteractionState State() const = 0;
  // The prompt and the cursor of the mode, shown when the editor enters it.
  virtual void Enter() {}
  virtual void LeftPress(Modifiers mods, int x, int y) {}
  virtual void RightPress(int x, int y) {}
  // A move with the left button held; the editor repaints after it.
  virtual void Drag(int x, int y) {}
  // A move with no button held.
  virtual void Hover(int x, int y) {}
  virtual void Release(MouseButton button, int x, int y) {}
  // True when the mode used the key; the editor's own keys act otherwise.
  virtual bool KeyDown(Key key, Modifiers mods) { return false; }
  // The object chosen in the popup menu, known to exist.
  virtual void MenuSelect(int index) {}
  // One beat of the blink timer, on the off-screen picture.
  virtual void Tick(bool blink) {}
  // What the mode draws over the drawing at every repaint (a rubber band, say).
  virtual void PaintOverlay(Canvas& canvas) {}
  // The page F1 opens; empty where F1 does nothing.
  virtual std::string HelpPage() const { return {}; }
  // How many objects at the end of the list are not part of the drawing yet
  // (the object being placed, free points of an unfinished construction);
  // the history leaves them out, and Leave removes them.
  virtual std::size_t PendingObjects() const { return 0; }
  // Undoes what is half done when the user leaves for the normal state.
  virtual void Leave() {}

 protected:
  ModeContext editor_;
};

}  // namespace zelmora
