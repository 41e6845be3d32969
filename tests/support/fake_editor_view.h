#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "geometry/construction_method.h"
#include "interaction/creation_state.h"
#include "interaction/editor_view.h"
#include "support/recording_canvas.h"

namespace zelmora::testing {

// Records what the editor shows and answers its questions from queues that a
// test fills in advance.
class FakeEditorView : public EditorView {
 public:
  Canvas& PictureCanvas() override { return canvas; }
  void Present() override { ++presents; }
  void SetPrompt(const std::string& text) override { prompt = text; }
  void SetHelpLabel(const std::string& text) override { helpLabel = text; }
  void SetObjectLabel(const std::string& text) override { objectLabel = text; }
  void SetCoordinates(const std::string& x, const std::string& y) override {
    xLabel = x;
    yLabel = y;
  }
  void SetSurfaceCursor(CursorShape c) override { surfaceCursor = c; }
  void SetDragCursor(CursorShape c) override { dragCursor = c; }
  void MoveCursorTo(int x, int y) override { cursorMoves.emplace_back(x, y); }
  void SetBlinkTimer(bool running) override { blinking = running; }
  void StartZoomLoop() override { ++zoomLoopsStarted; }
  long long MonotonicMilliseconds() override { return nowMs; }
  void ShowModeButton(InteractionState mode) override { modeButton = mode; }
  void ShowPopupMenu(int, int, const std::vector<PopupItem>& items) override { popup = items; }
  void OpenHelpPage(const std::string& page) override { helpPages.push_back(page); }
  void ShowError(int number) override { errors.push_back(number); }
  std::optional<Command> AskNewObjectMethod(CommandGroup group,
                                            const CommandSet& enabled) override {
    askedKinds.push_back(group);
    offered = enabled;
    return Pop(newObjectAnswers);
  }
  std::optional<double> AskParameter(ParameterKind kind) override {
    askedParameters.push_back(kind);
    return Pop(parameterAnswers);
  }
  std::optional<TextProperties> AskNewText() override {
    const std::optional<std::string> lines = Pop(textAnswers);
    if (!lines) return std::nullopt;
    return TextProperties{kBlack, 16, *lines, true};
  }
  void ShowEnabledCommands(const CommandSet& enabled) override { shownEnabled = enabled; }

  RecordingCanvas canvas;
  int presents = 0;
  std::string prompt, helpLabel, objectLabel, xLabel, yLabel;
  CursorShape surfaceCursor = CursorShape::Default, dragCursor = CursorShape::Default;
  std::vector<std::pair<int, int>> cursorMoves;
  bool blinking = false;
  int zoomLoopsStarted = 0;
  long long nowMs = 0;  // the clock; a test moves it forward
  InteractionState modeButton = InteractionState::Normal;
  std::vector<PopupItem> popup;
  std::vector<std::string> helpPages;
  std::vector<int> errors;
  std::vector<NewObjectKind> askedKinds;
  std::vector<ParameterKind> askedParameters;
  CommandSet offered, shownEnabled = CommandSet::All();
  // Answers, consumed front first; an empty queue answers "cancelled".
  std::deque<std::optional<Command>> newObjectAnswers;
  std::deque<std::optional<double>> parameterAnswers;
  std::deque<std::optional<std::string>> textAnswers;

 private:
  template <class T>
  static std::optional<T> Pop(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

// The command a menu item of `code` starts ("NewObject" + code).
inline Command CommandAt(int code) {
  return CommandWithCode(MethodCode{code}).value();
}

// The construction table the program ships, as a fake: kinds per step.
// The kinds a user picks, step by step, for a code of the creation sequence.
inline std::vector<int> PickKinds(MethodCode code) {
  if (code == kCircleFirstCrossing) {
    std::vector<int> kinds = PickKinds(CodeOf(ConstructionMethod::LineCircleFirst));
    std::reverse(kinds.begin(), kinds.end());
    return kinds;
  }
  for (const MethodInfo& method : kMethods) {
    if (method.code != code) continue;
    std::vector<int> kinds;
    for (std::size_t i = 0; i < method.PickCount(); ++i) kinds.push_back(method.ParentKind(i));
    return kinds;
  }
  return {};
}

// The step table as the method registry implies it, with made-up prompts.
class TableConstructionTables : public ConstructionTables {
 public:
  int StepKind(MethodCode method, int step) override;
  std::optional<std::string> MethodText(MethodCode method, int step) override;
  bool failPrompts = false;
};

inline int TableConstructionTables::StepKind(MethodCode method, int step) {
  const std::vector<int> kinds = PickKinds(method);
  if (step == 0) return static_cast<int>(kinds.size());
  if (step < 1 || step > static_cast<int>(kinds.size())) return 0;
  return kinds[static_cast<std::size_t>(step - 1)];
}

inline std::optional<std::string> TableConstructionTables::MethodText(MethodCode method, int step) {
  if (failPrompts) return std::nullopt;
  return "prompt " + std::to_string(Number(method)) + "/" + std::to_string(step);
}

}  // namespace zelmora::testing
