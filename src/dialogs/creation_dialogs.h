#pragma once

#include <optional>

#include "dialogs/dialog_look.h"
#include "interaction/editor_view.h"

namespace zelmora {

// The questions of a creation, asked modally: the command of a new object
// among the `enabled` ones of its group (nothing when cancelled) and the
// value a command reads (nothing when cancelled; the editor then removes the
// value object itself).
std::optional<Command> RunNewObjectDialog(QWidget* owner, CommandGroup group,
                                          const CommandSet& enabled, const DialogContext& context);
std::optional<double> RunParameterDialog(QWidget* owner, ParameterKind kind,
                                         const DialogContext& context);

}  // namespace zelmora
