#include "dialogs/new_measure_form.h"

namespace zelmora {
namespace {

const NewObjectLayout kMeasureLayout = {
    .caption = "Измерить",
    .title = "Что измерить",
    .client = {537, 291},
    .panel = {465, 225},
    .group = CommandGroup::Measure,
    .textBox = {16, 120, 313, 89},
    .buttonX = 336,
    .okY = 152,
    .cancelY = 184,
    .openingText = nullptr,
    .buttonHints = false,
};

}  // namespace

TNewMeasureForm::TNewMeasureForm(QWidget* owner, DialogContext context)
    : TNewObjectForm(owner, std::move(context), kMeasureLayout) {}

}  // namespace zelmora
