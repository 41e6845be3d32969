#pragma once

#include "interaction/modes/editor_mode.h"

namespace zelmora {

// Recording a macro (arguments, then results) or applying one (an object per
// argument): a press or a popup choice feeds it, the picks blink, and
// leaving undoes what is half done.
class MacroMode : public EditorMode {
 public:
  MacroMode(Editor& editor, InteractionState state) : EditorMode(editor), state_(state) {}
  InteractionState State() const override { return state_; }
  void LeftPress(Modifiers mods, int x, int y) override;
  void RightPress(int x, int y) override;
  void Hover(int x, int y) override;
  void MenuSelect(int index) override;
  void Tick(bool blink) override;
  std::string HelpPage() const override;
  void Leave() override;
  // The free points made for an application belong to it: they join the
  // history with the macro's objects, as one action.
  std::size_t PendingObjects() const override;

 private:
  InteractionState state_;
};

}  // namespace zelmora
