#include "dialogs/new_point_form.h"

namespace zelmora {
namespace {

const NewObjectLayout kPointLayout = {
    .caption = "Создание Новой Точки",
    .title = "Выберите способ задания Новой Точки",
    .client = {511, 321},
    .panel = {441, 249},
    .group = CommandGroup::Point,
    .textBox = {8, 144, 305, 89},
    .buttonX = 320,
    .okY = 176,
    .cancelY = 208,
    .openingText = nullptr,
    .buttonHints = true,
};

}  // namespace

TNewPointForm::TNewPointForm(QWidget* owner, DialogContext context)
    : TNewObjectForm(owner, std::move(context), kPointLayout) {}

}  // namespace zelmora
