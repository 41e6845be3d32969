#include "dialogs/new_measure_form.h"

#include <array>

#include "interaction/modes/measure_modes.h"

namespace zelmora {
namespace {

constexpr std::array<MethodChoice, 6> kMeasureChoices = {{
    {kMeasureCommands[0].caption, static_cast<int>(Measurement::Distance), 8, 40},
    {kMeasureCommands[1].caption, static_cast<int>(Measurement::Length), 8, 64},
    {kMeasureCommands[2].caption, static_cast<int>(Measurement::Radius), 8, 88},
    {kMeasureCommands[3].caption, static_cast<int>(Measurement::Angle), 240, 40},
    {kMeasureCommands[4].caption, static_cast<int>(Measurement::LinesAngle), 240, 64},
    {kTextCommandCaption, TGText::kMethodCode, 240, 88},
}};

// What the user will be asked for first.
std::string ChoiceText(int code) {
  if (code == TGText::kMethodCode) return kTextPrompt;
  const MeasureCommand* command = FindMeasureCommand(Measurement{code});
  return command == nullptr ? std::string() : command->prompts[0];
}

const NewObjectLayout kMeasureLayout = {
    .caption = "Измерить",
    .title = "Что измерить",
    .client = {537, 291},
    .panel = {465, 225},
    .choices = kMeasureChoices,
    .textBox = {16, 120, 313, 89},
    .buttonX = 336,
    .okY = 152,
    .cancelY = 184,
    .openingText = nullptr,
    .buttonHints = false,
    .methodText = ChoiceText,
};

}  // namespace

TNewMeasureForm::TNewMeasureForm(QWidget* owner, DialogContext context)
    : TNewObjectForm(owner, std::move(context), kMeasureLayout) {}

}  // namespace zelmora
