#include "interaction/annotation_properties.h"

#include <algorithm>

#include "document/cp1251.h"
#include "geometry/change_log.h"
#include "geometry/utf8.h"

namespace zelmora {
namespace {

template <class Field, class Value>
void Write(Field& field, const Value& value, bool& changed) {
  if (field == value) return;
  field = value;
  changed = true;
}

}  // namespace

MeasureProperties MeasureShown(const TGMeasure& measure) {
  return {measure.Name, measure.Color, measure.Decimals, measure.Centimetres, measure.MustDraw};
}

TextProperties TextShown(const TGText& text) {
  return {text.Color, std::clamp(text.FontSize, kMinTextSize, kMaxTextSize), text.Text,
          text.MustDraw};
}

TextProblem CheckText(std::string_view text) {
  if (text.find_first_not_of(" \n\t") == std::string_view::npos) return TextProblem::kEmpty;
  return FitsCp1251(text) ? TextProblem::kNone : TextProblem::kOutsideCharset;
}

std::string TextProblemText(TextProblem problem) {
  switch (problem) {
    case TextProblem::kNone:
      return {};
    case TextProblem::kEmpty:
      return "Текст пуст";
    case TextProblem::kOutsideCharset:
      return "Этот знак нельзя сохранить в файле";
  }
  return {};
}

ApplyResult ApplyMeasureProperties(ObjectList& objects, int index,
                                   const MeasureProperties& confirmed) {
  TGObject* object = objects.at(index);
  if (object == nullptr || object->Kind() != kMeasureKind) return ApplyResult::kNoObject;
  if (CheckName(confirmed.name) != NameProblem::kNone) return ApplyResult::kNameRefused;
  auto& measure = static_cast<TGMeasure&>(*object);
  ChangeLog::Restyling(measure);
  bool changed = false;
  Write(measure.Name, Utf8Prefix(confirmed.name, kMaxNameLength), changed);
  Write(measure.Color, confirmed.color, changed);
  Write(measure.Decimals, std::clamp(confirmed.decimals, 0, 3), changed);
  Write(measure.Centimetres, confirmed.centimetres, changed);
  Write(measure.MustDraw, confirmed.mustDraw, changed);
  if (!changed) return ApplyResult::kUnchanged;
  objects.MarkModified();
  return ApplyResult::kChanged;
}

ApplyResult ApplyTextProperties(ObjectList& objects, int index, const TextProperties& confirmed) {
  TGObject* object = objects.at(index);
  if (object == nullptr || object->Kind() != kTextKind) return ApplyResult::kNoObject;
  if (CheckText(confirmed.text) != TextProblem::kNone) return ApplyResult::kNameRefused;
  auto& text = static_cast<TGText&>(*object);
  ChangeLog::Restyling(text);
  bool changed = false;
  Write(text.Color, confirmed.color, changed);
  Write(text.FontSize, std::clamp(confirmed.fontSize, kMinTextSize, kMaxTextSize), changed);
  Write(text.Text, confirmed.text, changed);
  Write(text.MustDraw, confirmed.mustDraw, changed);
  if (!changed) return ApplyResult::kUnchanged;
  objects.MarkModified();
  return ApplyResult::kChanged;
}

}  // namespace zelmora
