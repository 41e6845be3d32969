#pragma once

#include <optional>

#include "geometry/graph.h"
#include "interaction/modes/editor_mode.h"

// The modes of work on single objects: the normal state and the drags it
// starts.
namespace zelmora {

// Pointing at objects: a press selects and starts a drag, Shift on an empty
// place pans the drawing, the right button lists the objects under the mouse.
class NormalMode : public EditorMode {
 public:
  using EditorMode::EditorMode;
  InteractionState State() const override { return InteractionState::Normal; }
  void LeftPress(Modifiers mods, int x, int y) override;
  void RightPress(int x, int y) override;
  void Hover(int x, int y) override;
  void MenuSelect(int index) override;
  std::string HelpPage() const override;
};

// The selected object follows the mouse until the release: dragged (a point
// moves, a line turns about the grab point, a circle resizes) or, with
// Shift, moved parallel.
class ObjectDragMode : public EditorMode {
 public:
  ObjectDragMode(Editor& editor, bool shift) : EditorMode(editor), shift_(shift) {}
  InteractionState State() const override;
  void Enter() override;
  void Drag(int x, int y) override;
  void Release(MouseButton button, int x, int y) override;
  std::string HelpPage() const override;
  void Leave() override { drag_.reset(); }

 private:
  bool shift_;
  std::optional<DragSession> drag_;
};

// The selected object's label follows the mouse (Ctrl-press on the label).
class LabelDragMode : public EditorMode {
 public:
  using EditorMode::EditorMode;
  InteractionState State() const override { return InteractionState::MoveObjectLabel; }
  void Enter() override;
  void Drag(int x, int y) override;
  void Release(MouseButton button, int x, int y) override;
};

// The whole drawing follows the mouse (Shift-press on an empty place).
class PanMode : public EditorMode {
 public:
  using EditorMode::EditorMode;
  InteractionState State() const override { return InteractionState::PanDrag; }
  void Enter() override;
  void Drag(int x, int y) override;
  void Release(MouseButton button, int x, int y) override;
  std::string HelpPage() const override;
};

}  // namespace zelmora
