#pragma once

#include <optional>
#include <string>
#include <vector>

#include "interaction/modes/picking_mode.h"

namespace zelmora {

// What the teacher picked on the drawing for a new task, in the order of
// the clicks; object numbers count in the drawing.
struct TaskPicks {
  std::vector<int> givens;
  std::vector<int> targets;
};

enum class TaskPickPhase { Givens, Targets };

// The window's side of picking a task: the bar under the drawing and what
// follows the picking.
class TaskPickPort {
 public:
  virtual ~TaskPickPort() = default;
  // The bar of `phase` ("Дальше" for the givens, "Готово" for the targets)
  // with `prompt`.
  virtual void ShowTaskPickBar(TaskPickPhase phase, const std::string& prompt) = 0;
  // The status bar again: the picking is over or cancelled.
  virtual void HideTaskPickBar() = 0;
  // Nothing when a task can be made of `picks`; otherwise, once the window
  // has said why, the phase in which the teacher mends them (the givens,
  // when a target rests on an object that is not given), with nothing lost.
  virtual std::optional<TaskPickPhase> RefusePicks(const TaskPicks& picks) = 0;
  // The picking is over and the editor is back in the normal state: the
  // rest of the task (texts, tools, budget).
  virtual void TaskPicked(const TaskPicks& picks) = 0;
};

// "Создать задачу…": the teacher clicks the givens, presses "Дальше" (or
// Enter), clicks the targets and presses "Готово". A second click on a pick
// of the current list takes it back; the picks of the current list blink,
// those of the other stay highlighted. Escape or "Отмена" gives the picking
// up.
class TaskPickMode : public PickingMode {
 public:
  explicit TaskPickMode(Editor& editor) : PickingMode(editor, false) {}
  InteractionState State() const override { return InteractionState::TaskPick; }

  void Start(TaskPickPort& port);
  // The bar's button or Enter: on to the targets, then done.
  void Advance();
  bool KeyDown(Key key, Modifiers mods) override;
  void PaintOverlay(Canvas& canvas) override;
  std::string HelpPage() const override;
  void Leave() override;
  const TaskPicks& Picks() const { return picks_; }
  TaskPickPhase Phase() const { return phase_; }

 protected:
  void Press(int x, int y) override;
  void Choose(int index) override;
  std::vector<int> Blinking() const override { return Current(); }

 private:
  const std::vector<int>& Current() const;
  // The phase's prompt with the picks so far, after `refusal` when a click
  // was refused.
  void ShowPrompt(const std::string& refusal = {});
  std::string Names(const std::vector<int>& indices) const;

  TaskPickPort* port_ = nullptr;
  TaskPicks picks_;
  TaskPickPhase phase_ = TaskPickPhase::Givens;
};

}  // namespace zelmora
