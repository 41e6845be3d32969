#include "dialogs/new_point_form.h"

#include <array>

namespace zelmora {
namespace {

constexpr std::array<MethodChoice, 7> kPointMethods = {{
    {"Свободная", 0, 8, 40},
    {"Принадлежит объекту", 1, 8, 64},
    {"Пересечение обектов", 3, 8, 88},
    {"Проекция", 8, 8, 112},
    {"Середина отрезка", 9, 168, 40},
    {"Удаление от точки на константу", 10, 168, 64},
    {"Центр окружности", 11, 168, 88},
}};

const NewObjectLayout kPointLayout = {
    .caption = "Создание Новой Точки",
    .title = "Выберите способ задания Новой Точки",
    .client = {511, 321},
    .panel = {441, 249},
    .choices = kPointMethods,
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
