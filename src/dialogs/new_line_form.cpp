#include "dialogs/new_line_form.h"

#include <array>

namespace zelmora {
namespace {

constexpr std::array<MethodChoice, 10> kLineMethods = {{
    {"На плоскости", 100, 8, 40},
    {"Две точки", 101, 8, 64},
    {"Отрезок", 105, 8, 88},
    {"Луч", 109, 8, 112},
    {"Параллельная", 102, 120, 40},
    {"Перпендикуляр", 103, 120, 64},
    {"Под улом к прямой", 106, 120, 88},
    {"Под постоянным улом к прямой", 107, 120, 112},
    {"Биссектриса", 108, 296, 40},
    {"Серединный перпендикуляр", 104, 296, 64},
}};

const NewObjectLayout kLineLayout = {
    .caption = "Создание новой прямой",
    .title = "Выберите способ задания Новой Прямой",
    .client = {537, 315},
    .panel = {465, 241},
    .choices = kLineMethods,
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
