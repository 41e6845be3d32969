#include "dialogs/new_circle_form.h"

#include <array>

namespace zelmora {
namespace {

constexpr std::array<MethodChoice, 4> kCircleMethods = {{
    {"На плоскости", 200, 8, 48},
    {"По центру и точке", 201, 8, 72},
    {"По центру и радиусу", 202, 8, 96},
    {"Через три точки", 203, 176, 48},
}};

// The circle dialog opens with its own wording of the free circle; the prompt
// table's text for it shows only once the user picks a method.
const NewObjectLayout kCircleLayout = {
    .caption = "Создание Новой Окружности",
    .title = "Выберите способ задания Новой Окружности",
    .client = {543, 291},
    .panel = {465, 225},
    .choices = kCircleMethods,
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
