#include "interaction/modes/task_pick_mode.h"

#include <algorithm>

#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

constexpr const char* kGivensPrompt = "Щёлкните данные задачи по порядку, затем «Дальше»";
constexpr const char* kGivensSoFar = "Данные: %s. Ещё данные или «Дальше» (Enter)";
constexpr const char* kTargetsPrompt = "Щёлкните то, что нужно построить, затем «Готово»";
constexpr const char* kTargetsSoFar = "Построить: %s. Ещё или «Готово» (Enter)";
constexpr const char* kNeedGiven = "Сначала выберите хотя бы одно данное.";
constexpr const char* kNeedTarget = "Выберите хотя бы один объект, который нужно построить.";
constexpr const char* kOnlyShapes = "Данными и целью бывают точки, прямые и окружности.";
constexpr const char* kAlreadyGiven = "«%s» — уже данное.";
constexpr const char* kAlreadyTarget = "«%s» уже среди того, что нужно построить.";
constexpr const char* kUnnamed = "без имени";
constexpr const char* kHelpTeacher = "Help/Задачи для учителя.htm";

std::string Fill(const char* pattern, const std::string& value) {
  std::string text = pattern;
  text.replace(text.find("%s"), 2, value);
  return text;
}

bool Contains(const std::vector<int>& list, int index) {
  return std::find(list.begin(), list.end(), index) != list.end();
}

}  // namespace

void TaskPickMode::Start(TaskPickPort& port) {
  port_ = &port;
  picks_ = {};
  phase_ = TaskPickPhase::Givens;
  editor_.Deselect();
  editor_.View().SetBlinkTimer(true);
  ShowPrompt();
}

void TaskPickMode::Press(int x, int y) {
  // A click beside every object picks nothing: a given is something drawn.
  const int index = editor_.NearObject(x, y, 0);
  if (index >= 0) Choose(index);
}

void TaskPickMode::Choose(int index) {
  const TGObject* object = editor_.Objects().at(index);
  if (object == nullptr || port_ == nullptr) return;
  if (object->Kind() < kPointKind || object->Kind() > kCircleKind) return ShowPrompt(kOnlyShapes);
  const bool givens = phase_ == TaskPickPhase::Givens;
  if (Contains(givens ? picks_.targets : picks_.givens, index)) {
    return ShowPrompt(Fill(givens ? kAlreadyTarget : kAlreadyGiven, Names({index})));
  }
  std::vector<int>& list = givens ? picks_.givens : picks_.targets;
  const auto found = std::find(list.begin(), list.end(), index);
  if (found == list.end()) {
    list.push_back(index);
  } else {
    list.erase(found);  // a second click takes the pick back
  }
  // What stops blinking must not stay in the blink look.
  editor_.Repaint();
  ShowPrompt();
}

void TaskPickMode::Advance() {
  if (port_ == nullptr) return;
  if (Current().empty()) {
    return ShowPrompt(phase_ == TaskPickPhase::Givens ? kNeedGiven : kNeedTarget);
  }
  if (phase_ == TaskPickPhase::Givens) {
    phase_ = TaskPickPhase::Targets;
    editor_.Repaint();
    return ShowPrompt();
  }
  // Nothing blinks while the window asks.
  editor_.View().SetBlinkTimer(false);
  editor_.Repaint();
  if (const std::optional<TaskPickPhase> mend = port_->RefusePicks(picks_)) {
    phase_ = *mend;
    editor_.View().SetBlinkTimer(true);
    editor_.Repaint();
    return ShowPrompt();
  }
  TaskPickPort& port = *port_;
  const TaskPicks picks = picks_;
  editor_.ReturnToNormal();
  port.TaskPicked(picks);
}

bool TaskPickMode::KeyDown(Key key, Modifiers) {
  if (key != Key::Enter) return false;
  Advance();
  return true;
}

// The picks of the other list stay highlighted while these blink.
void TaskPickMode::PaintOverlay(Canvas& canvas) {
  const DrawContext context = editor_.PaintContext();
  for (int index : phase_ == TaskPickPhase::Givens ? picks_.targets : picks_.givens) {
    if (TGObject* o = editor_.Objects().at(index)) o->Draw(canvas, true, false, context);
  }
}

std::string TaskPickMode::HelpPage() const {
  return kHelpTeacher;
}

void TaskPickMode::Leave() {
  editor_.View().SetBlinkTimer(false);
  if (port_ != nullptr) port_->HideTaskPickBar();
  port_ = nullptr;
  picks_ = {};
  phase_ = TaskPickPhase::Givens;
}

const std::vector<int>& TaskPickMode::Current() const {
  return phase_ == TaskPickPhase::Givens ? picks_.givens : picks_.targets;
}

void TaskPickMode::ShowPrompt(const std::string& refusal) {
  const bool givens = phase_ == TaskPickPhase::Givens;
  std::string prompt = Current().empty()
                           ? (givens ? kGivensPrompt : kTargetsPrompt)
                           : Fill(givens ? kGivensSoFar : kTargetsSoFar, Names(Current()));
  if (!refusal.empty()) prompt = refusal + " " + prompt;
  editor_.SetPrompt(prompt);
  if (port_ != nullptr) port_->ShowTaskPickBar(phase_, prompt);
}

std::string TaskPickMode::Names(const std::vector<int>& indices) const {
  std::string names;
  for (int index : indices) {
    const TGObject* object = editor_.Objects().at(index);
    if (!names.empty()) names += ", ";
    names += object == nullptr || object->Name.empty() ? kUnnamed : object->Name;
  }
  return names;
}

// ---- the editor's side ------------------------------------------------------

void Editor::StartTaskPicking(TaskPickPort& port) {
  ReturnToNormal();
  if (State() != InteractionState::Normal) return;
  SetMode(InteractionState::TaskPick);
  taskPick_->Start(port);
}

void Editor::TaskPickAction() {
  if (State() == InteractionState::TaskPick) taskPick_->Advance();
}

}  // namespace zelmora
