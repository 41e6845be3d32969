// The editor's side of macros: recording (arguments, then results) and
// application (one object per argument of the chosen macro).
#include "document/text_table.h"
#include "interaction/editor.h"
#include "interaction/editor_texts.h"

namespace zelmora {

void Editor::StartMacroRecording() {
  ReturnToNormal();
  if (State() != InteractionState::Normal || macroDialogs_ == nullptr) return;
  SetMode(InteractionState::MacroRecord);
  macroRecord_.Start(*macroDialogs_);
}

void Editor::MacroPanelAction() {
  if (State() != InteractionState::MacroRecord || macroDialogs_ == nullptr) return;
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
      SetMode(InteractionState::Normal);
      SetPrompt(texts::kStandardPrompt);
      Repaint();
      return;
  }
}

void Editor::StartMacroApplication(const std::string& path) {
  ReturnToNormal();
  if (State() != InteractionState::Normal) return;
  SetMode(InteractionState::MacroApply);
  if (!macroApply_.Start(path)) SetMode(InteractionState::Normal);
}

void Editor::MacroPress(int x, int y) {
  if (State() == InteractionState::MacroRecord) {
    const int i = NearObject(x, y, 0);
    if (i >= 0 && macroDialogs_ != nullptr) macroRecord_.Choose(i, *macroDialogs_);
    return;
  }
  EndMacroApplication(macroApply_.Press(NearObject(x, y, macroApply_.DemandedKind()), x, y));
}

void Editor::MacroChoice(int index) {
  if (State() == InteractionState::MacroRecord) {
    if (macroDialogs_ != nullptr) macroRecord_.Choose(index, *macroDialogs_);
    return;
  }
  EndMacroApplication(macroApply_.Give(index));
}

void Editor::MacroBlink(bool blink) {
  const DrawContext context{showAll_, windowWidth_, windowHeight_};
  if (State() == InteractionState::MacroRecord) {
    macroRecord_.Blink(blink, view_.PictureCanvas(), context);
  } else {
    macroApply_.Blink(blink, view_.PictureCanvas(), context);
  }
}

void Editor::LeaveMacroMode() {
  if (State() == InteractionState::MacroRecord) {
    macroRecord_.Cancel(macroDialogs_);
  } else {
    macroApply_.Cancel();
  }
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
  SetMode(InteractionState::Normal);
  SetPrompt(texts::kStandardPrompt);
  Repaint();
}

}  // namespace zelmora
