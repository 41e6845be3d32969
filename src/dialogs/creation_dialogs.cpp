#include "dialogs/creation_dialogs.h"

#include <memory>

#include "dialogs/ins_form.h"
#include "dialogs/new_circle_form.h"
#include "dialogs/new_line_form.h"
#include "dialogs/new_measure_form.h"
#include "dialogs/new_point_form.h"

namespace zelmora {

std::optional<int> RunNewObjectDialog(QWidget* owner, NewObjectKind kind,
                                      const DialogContext& context) {
  std::unique_ptr<TNewObjectForm> form;
  switch (kind) {
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
  context.RunModal(*form);
  return form->ChosenMethod();
}

std::optional<double> RunParameterDialog(QWidget* owner, int method, const DialogContext& context) {
  TInsForm form(owner, context, ParameterKindOfMethod(method));
  context.RunModal(form);
  return form.Parameter();
}

}  // namespace zelmora
