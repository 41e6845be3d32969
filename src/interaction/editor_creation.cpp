// Starting a creation by a command; the picks themselves are BuildMode's.
#include <utility>

#include "document/text_table.h"
#include "interaction/editor.h"
#include "interaction/modes/build_mode.h"

namespace zelmora {

const CreationState& Editor::Creation() const {
  return build_->Creation();
}

void Editor::StartCreation(Command command) {
  ReturnToNormal();
  if (!enabled_.Contains(command)) return;
  build_->Prepare(command);
  RestartCreation();
}

void Editor::NewObjectDialog(CommandGroup group) {
  ReturnToNormal();
  if (!enabled_.AnyOf(group)) return;
  const auto command = view_.AskNewObjectMethod(group, enabled_);
  if (command && enabled_.Contains(*command)) {
    build_->Prepare(*command);
    RestartCreation();
  }
}

void Editor::SetEnabledCommands(const CommandSet& enabled) {
  enabled_ = enabled;
  const Command running = Creation().command;
  if (State() == Info(running).mode && !enabled_.Contains(running)) ReturnToNormal();
  view_.ShowEnabledCommands(enabled_);
}

std::string Editor::Text(MethodCode method, int step) {
  if (auto text = tables_.MethodText(method, step)) return std::move(*text);
  view_.ShowError(kErrorPromptTableUnreadable);
  return {};
}

void Editor::RestartCreation() {
  const Command command = Creation().command;
  Deselect();
  build_->Prepare(command);
  SetMode(Info(command).mode);
}

}  // namespace zelmora
