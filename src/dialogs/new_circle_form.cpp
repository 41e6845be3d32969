#include "dialogs/new_circle_form.h"

namespace zelmora {
namespace {

// The circle dialog opens with its own wording of the free circle; the prompt
// table's text for it shows only once the user picks a method.
const NewObjectLayout kCircleLayout = {
    .caption = "Создание Новой Окружности",
    .title = "Выберите способ задания Новой Окружности",
    .client = {543, 291},
    .panel = {465, 225},
    .group = CommandGroup::Circle,
    .textBox = {16, 120, 305, 89},
    .buttonX = 336,
    .okY = 152,
    .cancelY = 184,
    .openingText = "Вместе с окружностью создается точка — её центр",
    .buttonHints = false,
};

}  // namespace

TNewCircleForm::TNewCircleForm(QWidget* owner, DialogContext context)
    : TNewObjectForm(owner, std::move(context), kCircleLayout) {}

}  // namespace zelmora
