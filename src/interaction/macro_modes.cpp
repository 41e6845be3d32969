#include "interaction/macro_modes.h"

#include <algorithm>

#include "document/macro_file.h"
#include "document/text_table.h"
#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

constexpr const char* kArgumentsPrompt = "Выберите объекты-аргументы";
constexpr const char* kResultsPrompt = "Выберите объекты-результаты";
constexpr const char* kRenameTitle = "Ответьте";
constexpr const char* kRenameQuestion = "Переименовывать объекты-результаты при загрузке макросов?";
constexpr const char* kSuperfluousTitle = "Подсказка";
constexpr int kStatusBar = 0;
constexpr int kArgumentsPanel = 5;
constexpr int kResultsPanel = 6;

}  // namespace

void MacroRecordMode::Start(MacroDialogs& dialogs) {
  recording_ = MacroRecording{};
  recording_.phase = MacroPhase::Arguments;
  view_.SetBlinkTimer(true);
  dialogs.ShowSelectionPanel(kArgumentsPanel);
  view_.SetPrompt(kArgumentsPrompt);
}

void MacroRecordMode::Press(int x, int y) {
  const int index = editor_.NearObject(x, y, 0);
  if (index >= 0) Choose(index);
}

void MacroRecordMode::Choose(int index) {
  MacroDialogs* dialogs = editor_.Dialogs();
  const TGObject* object = objects_.at(index);
  if (dialogs == nullptr || object == nullptr || recording_.phase == MacroPhase::Finished) return;
  RegisterMacroPick(objects_, recording_, index);
  if (recording_.phase != MacroPhase::Arguments) return;
  const std::optional<std::string> hint = dialogs->AskArgumentHint(object->Kind());
  if (hint) {
    recording_.hints.push_back(StorableMacroText(*hint));
  } else {
    WithdrawLastArgument(objects_, recording_);
  }
}

void MacroRecordMode::PanelAction(MacroDialogs& dialogs) {
  switch (Action(dialogs)) {
    case MacroStep::Continue:
      view_.Present();
      return;
    case MacroStep::Refused:
      editor_.ReturnToNormal();
      view_.ShowError(kErrorMacroNotDependent);
      return;
    case MacroStep::Finished:
      editor_.SetMode(InteractionState::Normal);
      editor_.SetPrompt(texts::kStandardPrompt);
      editor_.Repaint();
      return;
  }
}

MacroStep MacroRecordMode::Action(MacroDialogs& dialogs) {
  if (recording_.phase == MacroPhase::Arguments) {
    DrawAll(recording_.arguments);
    dialogs.ShowSelectionPanel(kResultsPanel);
    view_.SetPrompt(kResultsPrompt);
    recording_.phase = MacroPhase::Results;
    return MacroStep::Continue;
  }
  if (recording_.phase != MacroPhase::Results) return MacroStep::Continue;
  const bool checked = CheckMacro(objects_, recording_, [&](const std::string& question) {
    return dialogs.AskYesNo(kSuperfluousTitle, question);
  });
  if (!checked) return MacroStep::Refused;
  recording_.renameOnLoad = dialogs.AskYesNo(kRenameTitle, kRenameQuestion);
  const std::optional<std::string> path = dialogs.AskMacroPath();
  if (!path) return MacroStep::Continue;
  recording_.phase = MacroPhase::Finished;
  view_.SetBlinkTimer(false);
  // Nothing may stay in the blink look while the name is asked.
  DrawAll(recording_.arguments);
  DrawAll(recording_.results);
  view_.Present();
  recording_.name = StorableMacroText(dialogs.AskMacroName(MacroNameFromPath(*path)));
  dialogs.ShowSelectionPanel(kStatusBar);
  const SaveResult saved = SaveMacro(objects_, recording_, *path);
  if (saved.ok) return MacroStep::Finished;
  // Nothing is lost: the recording goes on and "Готово" can be pressed again.
  dialogs.ReportFailure(saved.error);
  recording_.phase = MacroPhase::Results;
  view_.SetBlinkTimer(true);
  dialogs.ShowSelectionPanel(kResultsPanel);
  return MacroStep::Continue;
}

// Leaving for the normal state cancels the recording.
void MacroRecordMode::Leave() {
  CancelRecording(objects_, recording_);
  view_.SetBlinkTimer(false);
  if (MacroDialogs* dialogs = editor_.Dialogs()) dialogs->ShowSelectionPanel(kStatusBar);
}

std::string MacroRecordMode::HelpPage() const {
  return texts::kHelpMacros;
}

std::vector<int> MacroRecordMode::Blinking() const {
  if (recording_.phase == MacroPhase::Arguments) return recording_.arguments;
  if (recording_.phase == MacroPhase::Results) return recording_.results;
  return {};
}

// Drawn in their usual look: what stops blinking must not stay highlighted.
void MacroRecordMode::DrawAll(const std::vector<int>& indices) {
  Canvas& canvas = view_.PictureCanvas();
  const DrawContext context = editor_.PaintContext();
  for (int index : indices) {
    if (TGObject* o = objects_.at(index)) o->Draw(canvas, false, false, context);
  }
}

bool MacroApplyMode::Start(const std::string& path) {
  error_ = BeginMacroApplication(path, application_).error;
  if (error_ != 0) {
    view_.ShowError(error_);
    return false;
  }
  view_.SetPrompt(application_.NextHint());
  view_.SetBlinkTimer(true);
  return true;
}

void MacroApplyMode::Press(int x, int y) {
  int index = editor_.NearObject(x, y, DemandedKind());
  if (index < 0) {
    if (DemandedKind() != kPointKind) return;
    index = AddFreePoint(x, y).Index();
    ++application_.auxiliaryPoints;
  }
  Finish(Give(index));
}

void MacroApplyMode::Choose(int index) {
  Finish(Give(index));
}

void MacroApplyMode::Finish(MacroStep step) {
  if (step == MacroStep::Continue) return;
  if (step == MacroStep::Refused) {
    // Whatever the damaged file left undone, the drawing is as before.
    const int error = error_;
    editor_.ReturnToNormal();
    view_.ShowError(error);
    return;
  }
  editor_.SetMode(InteractionState::Normal);
  editor_.SetPrompt(texts::kStandardPrompt);
  editor_.Repaint();
}

MacroStep MacroApplyMode::Give(int index) {
  const TGObject* object = objects_.at(index);
  if (object == nullptr || application_.Complete() || object->Kind() != DemandedKind()) {
    return MacroStep::Continue;
  }
  application_.given.push_back(index);
  if (!application_.Complete()) {
    view_.SetPrompt(application_.NextHint());
    return MacroStep::Continue;
  }
  view_.SetBlinkTimer(false);
  error_ = ApplyMacro(application_.path, objects_, application_.given).error;
  if (error_ != 0) return MacroStep::Refused;
  // The automatic points are arguments now and stay.
  application_ = MacroApplication{};
  return MacroStep::Finished;
}

// Leaving for the normal state gives up the application and its free points.
void MacroApplyMode::Leave() {
  view_.SetBlinkTimer(false);
  objects_.DropLast(static_cast<std::size_t>(application_.auxiliaryPoints));
  application_ = MacroApplication{};
}

std::string MacroApplyMode::HelpPage() const {
  return texts::kHelpMacros;
}

std::size_t MacroApplyMode::PendingObjects() const {
  return static_cast<std::size_t>(std::max(application_.auxiliaryPoints, 0));
}

}  // namespace zelmora
