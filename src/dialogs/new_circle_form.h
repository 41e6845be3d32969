#pragma once

#include "dialogs/new_object_form.h"

namespace zelmora {

// "Создание Новой Окружности": the construction method of the next circle.
class TNewCircleForm : public TNewObjectForm {
  Q_OBJECT

 public:
  TNewCircleForm(QWidget* owner, DialogContext context);
};

}  // namespace zelmora
