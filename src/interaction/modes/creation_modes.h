#pragma once

#include <optional>

#include "interaction/modes/editor_mode.h"

// The modes of a running creation: placing a free object, and picking the
// parents of a constructed one. Both repeat until the user leaves them.
namespace zelmora {

// A free point, line or circle: the press places it, a drag stretches a line
// to its second point or a circle to its radius, the release completes it and
// a new one waits to be placed.
class PlaceMode : public EditorMode {
 public:
  PlaceMode(Editor& editor, InteractionState state) : EditorMode(editor), state_(state) {}
  InteractionState State() const override { return state_; }
  void Enter() override;
  void LeftPress(Modifiers mods, int x, int y) override;
  void Drag(int x, int y) override;
  void Release(MouseButton button, int x, int y) override;
  std::string HelpPage() const override;
  std::size_t PendingObjects() const override;
  void Leave() override;

 private:
  // The next object to place, added to the drawing undrawn.
  void AddPending();
  // The pending object once the press has placed it; nullptr before.
  TGObject* Placed() const;
  void Stretch(TGObject& pending, int x, int y);
  InteractionState state_;
};

// Each press offers the object under the mouse (or a new free point) as the
// next parent; the picks blink until the construction is complete.
class PickParentsMode : public EditorMode {
 public:
  using EditorMode::EditorMode;
  InteractionState State() const override { return InteractionState::PickParents; }
  void Enter() override;
  void LeftPress(Modifiers mods, int x, int y) override;
  void RightPress(int x, int y) override;
  void Hover(int x, int y) override;
  void MenuSelect(int index) override;
  void Tick(bool blink) override;
  std::string HelpPage() const override;
  std::size_t PendingObjects() const override;
  void Leave() override;
};

}  // namespace zelmora
