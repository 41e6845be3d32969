#pragma once

#include <optional>

#include "interaction/modes/editor_mode.h"

// Placing a free object by a command; picking parents is BuildMode's. Both
// repeat until the user leaves them.
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

}  // namespace zelmora
