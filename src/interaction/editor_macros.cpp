// The editor's macro states: recording (arguments, then results) and
// application (one object per argument of the chosen macro).
#include "document/text_table.h"
#include "interaction/editor.h"
#include "interaction/editor_texts.h"

namespace zelmora {

void Editor::StartMacroRecording() {
  ReturnToNormal();
  if (state_ != InteractionState::Normal || macroDialogs_ == nullptr) return;
  state_ = InteractionState::MacroRecord;
  macroRecord_.Start(*macroDialogs_);
}

void Editor::MacroPanelAction() {
  if (state_ != InteractionState::MacroRecord || macroDialogs_ == nullptr) return;
  const DrawContext context{showAll_, windowWidth_, windowHeight_};
  switch (macroRecord_.Action(*macroDialogs_, view_.PictureCanvas(), context)) {
    case MacroStep::Continue:
      view_.Present();
      return;
    case MacroStep::Refused:
      ReturnToNormal();
      view_.ShowError(kErrorMacroNotDependent);
      return;
    case MacroStep::Finished:
      state_ = InteractionState::Normal;
      SetPrompt(texts::kStandardPrompt);
      Repaint();
      return;
  }
}

void Editor::StartMacroApplication(const std::string& path) {
  ReturnToNormal();
  if (state_ != InteractionState::Normal) return;
  state_ = InteractionState::MacroApply;
  if (!macroApply_.Start(path)) state_ = InteractionState::Normal;
}

void Editor::MacroPress(int x, int y) {
  if (state_ == InteractionState::MacroRecord) {
    const int i = NearObject(x, y, 0);
    if (i >= 0 && macroDialogs_ != nullptr) macroRecord_.Choose(i, *macroDialogs_);
    return;
  }
  EndMacroApplication(macroApply_.Press(NearObject(x, y, macroApply_.DemandedKind()), x, y));
}

void Editor::MacroChoice(int index) {
  if (state_ == InteractionState::MacroRecord) {
    if (macroDialogs_ != nullptr) macroRecord_.Choose(index, *macroDialogs_);
    return;
  }
  EndMacroApplication(macroApply_.Give(index));
}

void Editor::EndMacroApplication(MacroStep step) {
  if (step == MacroStep::Continue) return;
  if (step == MacroStep::Refused) {
    // Whatever the damaged file left undone, the drawing is as before.
    const int error = macroApply_.Error();
    ReturnToNormal();
    view_.ShowError(error);
    return;
  }
  state_ = InteractionState::Normal;
  SetPrompt(texts::kStandardPrompt);
  Repaint();
}

}  // namespace zelmora
