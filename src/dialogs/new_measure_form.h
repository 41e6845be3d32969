#pragma once

#include "dialogs/new_object_form.h"

namespace zelmora {

// "Измерить": which measurement to take next, or a text to place.
class TNewMeasureForm : public TNewObjectForm {
  Q_OBJECT

 public:
  TNewMeasureForm(QWidget* owner, DialogContext context);
};

}  // namespace zelmora
