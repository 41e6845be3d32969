#pragma once

#include "dialogs/new_object_form.h"

namespace zelmora {

// "Создание Новой Точки": the construction method of the next point.
class TNewPointForm : public TNewObjectForm {
  Q_OBJECT

 public:
  TNewPointForm(QWidget* owner, DialogContext context);
};

}  // namespace zelmora
