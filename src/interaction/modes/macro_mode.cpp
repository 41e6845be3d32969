#include "interaction/modes/macro_mode.h"

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

}  // namespace zelmora
