// The editor's side of macros: the commands that start recording and
// application; the picks are the macro modes' own.
#include "interaction/editor.h"
#include "interaction/macro_modes.h"

namespace zelmora {

void Editor::StartMacroRecording() {
  ReturnToNormal();
  if (State() != InteractionState::Normal || macroDialogs_ == nullptr) return;
  SetMode(InteractionState::MacroRecord);
  macroRecord_->Start(*macroDialogs_);
}

void Editor::MacroPanelAction() {
  if (State() != InteractionState::MacroRecord || macroDialogs_ == nullptr) return;
  macroRecord_->PanelAction(*macroDialogs_);
}

void Editor::StartMacroApplication(const std::string& path) {
  ReturnToNormal();
  if (State() != InteractionState::Normal) return;
  SetMode(InteractionState::MacroApply);
  if (!macroApply_->Start(path)) SetMode(InteractionState::Normal);
}

}  // namespace zelmora
