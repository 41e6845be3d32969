#pragma once

#include <vector>

#include "interaction/modes/editor_mode.h"

namespace zelmora {

// A mode in which presses pick objects one by one: building by a command,
// recording a macro, applying one. The base does what they share: a right
// press lists the objects under the mouse in the popup menu, hovering names
// the object under the mouse, and the picks so far blink. A left press or a
// popup choice goes to the derived mode.
class PickingMode : public EditorMode {
 public:
  // `handOverDraggable`: the hand cursor even over an object a drag would move.
  PickingMode(Editor& editor, bool handOverDraggable)
      : EditorMode(editor), handOverDraggable_(handOverDraggable) {}

  void LeftPress(Modifiers mods, int x, int y) final { Press(x, y); }
  void MenuSelect(int index) final { Choose(index); }
  void RightPress(int x, int y) override;
  void Hover(int x, int y) override;
  void Tick(bool blink) override;

 protected:
  // A left press at (x, y).
  virtual void Press(int x, int y) = 0;
  // An object chosen in the popup menu, known to exist.
  virtual void Choose(int index) = 0;
  // The objects that blink: the picks so far.
  virtual std::vector<int> Blinking() const = 0;

  // Every object a press at (x, y) takes, oldest first.
  std::vector<int> ObjectsAt(int x, int y);
  // A new free point, drawn, where the user pressed beside every object.
  TGPoint& AddFreePoint(int x, int y);

 private:
  bool handOverDraggable_;
};

}  // namespace zelmora
