#include "dialogs/creation_dialogs.h"

#include <memory>

#include "dialogs/ins_form.h"
#include "dialogs/new_circle_form.h"
#include "dialogs/new_line_form.h"
#include "dialogs/new_measure_form.h"
#include "dialogs/new_point_form.h"

namespace zelmora {

std::optional<Command> RunNewObjectDialog(QWidget* owner, CommandGroup group,
                                          const CommandSet& enabled, const DialogContext& context) {
  std::unique_ptr<TNewObjectForm> form;
  switch (group) {
    case NewObjectKind::Point:
      form = std::make_unique<TNewPointForm>(owner, context);
      break;
    case NewObjectKind::Line:
      form = std::make_unique<TNewLineForm>(owner, context);
      break;
    case NewObjectKind::Circle:
      form = std::make_unique<TNewCircleForm>(owner, context);
      break;
    case NewObjectKind::Measure:
      form = std::make_unique<TNewMeasureForm>(owner, context);
      break;
  }
  form->EnableOnly(enabled);
  context.RunModal(*form);
  return form->ChosenMethod();
}

std::optional<double> RunParameterDialog(QWidget* owner, ParameterKind kind,
                                         const DialogContext& context) {
  TInsForm form(owner, context, kind);
  context.RunModal(form);
  return form.Parameter();
}

}  // namespace zelmora
