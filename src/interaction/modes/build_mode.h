#pragma once

#include <optional>

#include "interaction/creation_state.h"
#include "interaction/modes/picking_mode.h"

namespace zelmora {

// Building by a command: each press offers the object under the mouse (or a
// new free point) as the next parent. The picks narrow the command's
// candidate methods by the step table until one is left and its last step
// is picked; then the value it reads is asked for, the object is built, and
// the same command starts over.
class BuildMode : public PickingMode {
 public:
  explicit BuildMode(Editor& editor) : PickingMode(editor, true) {}
  InteractionState State() const override { return InteractionState::PickParents; }
  // The command the next Enter starts; its picks start afresh.
  void Prepare(Command command);
  const CreationState& Creation() const { return creation_; }
  // Forgets everything, as a new drawing does.
  void Reset() { creation_ = CreationState{}; }

  void Enter() override;
  std::string HelpPage() const override;
  std::size_t PendingObjects() const override;
  void Leave() override;

 protected:
  void Press(int x, int y) override;
  void Choose(int index) override;
  std::vector<int> Blinking() const override { return creation_.picks; }

 private:
  // Offers an object as the next pick.
  PickResult Offer(int index);
  PickResult FilterCandidates(int index);
  void Complete();
  bool BuildObject(MethodCode candidate, std::optional<double> value);
  // Removes the free points the picks created for an unfinished construction.
  void DropAutoPoints();

  CreationState creation_;
};

}  // namespace zelmora
