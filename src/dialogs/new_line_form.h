#pragma once

#include "dialogs/new_object_form.h"

namespace zelmora {

// "Создание новой прямой": the construction method of the next line.
class TNewLineForm : public TNewObjectForm {
  Q_OBJECT

 public:
  TNewLineForm(QWidget* owner, DialogContext context);
};

}  // namespace zelmora
