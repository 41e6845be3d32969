#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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
  std::optional<int> AskNewObjectMethod(NewObjectKind kind) override {
    askedKinds.push_back(kind);
    return Pop(newObjectAnswers);
  }
  std::optional<double> AskParameter(int method) override {
    askedParameters.push_back(method);
    return Pop(parameterAnswers);
  }

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
  std::vector<int> askedParameters;
  // Answers, consumed front first; an empty queue answers "cancelled".
  std::deque<std::optional<int>> newObjectAnswers;
  std::deque<std::optional<double>> parameterAnswers;

 private:
  template <class T>
  static std::optional<T> Pop(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

// The construction table the program ships, as a fake: kinds per step.
class TableConstructionTables : public ConstructionTables {
 public:
  TableConstructionTables();
  int StepKind(int method, int step) override;
  std::optional<std::string> MethodText(int method, int step) override;
  bool failPrompts = false;

 private:
  std::map<int, std::string> steps_;
};

inline TableConstructionTables::TableConstructionTables()
    : steps_{{1, "2"},    {2, "3"},    {3, "22"},     {4, "23"},      {6, "33"},    {304, "32"},
             {8, "12"},   {9, "11"},   {10, "11"},    {11, "3"},      {101, "11"},  {102, "12"},
             {103, "12"}, {104, "11"}, {105, "11"},   {106, "12111"}, {107, "12"},  {108, "111"},
             {109, "11"}, {110, "22"}, {111, "1222"}, {201, "11"},    {202, "111"}, {203, "111"}} {}

inline int TableConstructionTables::StepKind(int method, int step) {
  const auto it = steps_.find(method);
  if (it == steps_.end()) return 0;
  if (step == 0) return static_cast<int>(it->second.size());
  if (step < 1 || step > static_cast<int>(it->second.size())) return 0;
  return it->second[static_cast<std::size_t>(step - 1)] - '0';
}

inline std::optional<std::string> TableConstructionTables::MethodText(int method, int step) {
  if (failPrompts) return std::nullopt;
  return "prompt " + std::to_string(method) + "/" + std::to_string(step);
}

}  // namespace zelmora::testing
