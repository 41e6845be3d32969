#pragma once

#include <string>

#include "interaction/editor.h"

namespace zelmora {

// What a mouse press, drag, release or key means in one interaction state.
// The Editor holds one object of each mode and forwards every event to the
// current one; what modes share (drawing, selection, view scale, creation)
// stays in the Editor. A new state is one more class here, registered in the
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
  // Undoes what is half done when the user leaves for the normal state.
  virtual void Leave() {}

 protected:
  Editor& editor_;
};

}  // namespace zelmora
