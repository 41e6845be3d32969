#include "interaction/macro_modes.h"

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

void MacroRecordMode::Choose(int index, MacroDialogs& dialogs) {
  const TGObject* object = objects_.at(index);
  if (object == nullptr || recording_.phase == MacroPhase::Finished) return;
  if (MacroCannotHold(*object)) return dialogs.ReportFailure(kMacroRefusesMeasureText);
  RegisterMacroPick(objects_, recording_, index);
  if (recording_.phase != MacroPhase::Arguments) return;
  const std::optional<std::string> hint = dialogs.AskArgumentHint(object->Kind());
  if (hint) {
    recording_.hints.push_back(StorableMacroText(*hint));
  } else {
    WithdrawLastArgument(objects_, recording_);
  }
}

MacroStep MacroRecordMode::Action(MacroDialogs& dialogs, Canvas& canvas,
                                  const DrawContext& context) {
  if (recording_.phase == MacroPhase::Arguments) {
    DrawAll(recording_.arguments, false, canvas, context);
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
  DrawAll(recording_.arguments, false, canvas, context);
  DrawAll(recording_.results, false, canvas, context);
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

void MacroRecordMode::Cancel(MacroDialogs* dialogs) {
  CancelRecording(objects_, recording_);
  view_.SetBlinkTimer(false);
  if (dialogs != nullptr) dialogs->ShowSelectionPanel(kStatusBar);
}

void MacroRecordMode::Blink(bool blink, Canvas& canvas, const DrawContext& context) {
  if (recording_.phase == MacroPhase::Arguments)
    DrawAll(recording_.arguments, blink, canvas, context);
  if (recording_.phase == MacroPhase::Results) DrawAll(recording_.results, blink, canvas, context);
}

void MacroRecordMode::DrawAll(const std::vector<int>& indices, bool blink, Canvas& canvas,
                              const DrawContext& context) {
  for (int index : indices) {
    if (TGObject* o = objects_.at(index)) o->Draw(canvas, false, blink, context);
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

MacroStep MacroApplyMode::Press(int index, int x, int y) {
  if (index < 0) {
    if (DemandedKind() != kPointKind) return MacroStep::Continue;
    TGPoint& point = objects_.AddPoint();
    point.X = x;
    point.Y = y;
    point.MustDraw = true;
    ++application_.auxiliaryPoints;
    index = point.Index();
  }
  return Give(index);
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

void MacroApplyMode::Cancel() {
  view_.SetBlinkTimer(false);
  objects_.DropLast(static_cast<std::size_t>(application_.auxiliaryPoints));
  application_ = MacroApplication{};
}

void MacroApplyMode::Blink(bool blink, Canvas& canvas, const DrawContext& context) {
  for (int index : application_.given) {
    if (TGObject* o = objects_.at(index)) o->Draw(canvas, false, blink, context);
  }
}

}  // namespace zelmora
