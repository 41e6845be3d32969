#include "dialogs/new_line_form.h"

namespace zelmora {
namespace {

const NewObjectLayout kLineLayout = {
    .caption = "Создание новой прямой",
    .title = "Выберите способ задания Новой Прямой",
    .client = {537, 315},
    .panel = {465, 241},
    .group = CommandGroup::Line,
    .textBox = {16, 136, 313, 89},
    .buttonX = 336,
    .okY = 168,
    .cancelY = 200,
    .openingText = nullptr,
    .buttonHints = false,
};

}  // namespace

TNewLineForm::TNewLineForm(QWidget* owner, DialogContext context)
    : TNewObjectForm(owner, std::move(context), kLineLayout) {}

}  // namespace zelmora
