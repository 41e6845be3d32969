#pragma once

#include <optional>

#include "dialogs/dialog_look.h"
#include "interaction/editor_view.h"

namespace zelmora {

// The questions of a creation, asked modally: the method of a new object
// (nothing when cancelled) and the parameter of methods 10 and 107 (nothing
// when cancelled; the editor then removes the value object itself).
std::optional<int> RunNewObjectDialog(QWidget* owner, NewObjectKind kind,
                                      const DialogContext& context);
std::optional<double> RunParameterDialog(QWidget* owner, int method, const DialogContext& context);

}  // namespace zelmora
