#include "interaction/modes/macro_mode.h"

#include <algorithm>

#include "interaction/editor_texts.h"

namespace zelmora {

void MacroMode::LeftPress(Modifiers, int x, int y) {
  editor_.MacroPress(x, y);
}

void MacroMode::RightPress(int x, int y) {
  editor_.ShowPopup(x, y);
}

void MacroMode::Hover(int x, int y) {
  editor_.DescribeObjectAt(x, y, 0, false);
}

void MacroMode::MenuSelect(int index) {
  editor_.MacroChoice(index);
}

void MacroMode::Tick(bool blink) {
  editor_.MacroBlink(blink);
}

std::string MacroMode::HelpPage() const {
  return texts::kHelpMacros;
}

void MacroMode::Leave() {
  editor_.LeaveMacroMode();
}

std::size_t MacroMode::PendingObjects() const {
  if (state_ != InteractionState::MacroApply) return 0;
  return static_cast<std::size_t>(
      std::max(editor_.MacroApplier().Application().auxiliaryPoints, 0));
}

}  // namespace zelmora
