#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zelmora {

class ObjectList;
class TGObject;

// A measurement as a field sees it.
struct FieldValue {
  enum class State { Missing, NoValue, Number } state = State::Missing;
  double value = 0;  // as the measurement shows it
  int decimals = 2;
};

using FieldLookup = std::function<FieldValue(std::string_view name)>;

// `text` with each field in braces replaced: a measurement's name or a formula
// over names ("{m1+m2+m3}", "{m1/m2}") by its value with a decimal comma;
// "?" when a name is no measurement or the formula cannot be evaluated, "—"
// when a measurement has no value. Braces holding no name stay as typed.
std::string FillFields(std::string_view text, const FieldLookup& lookup);

// The measurements of `objects` by name; the first of a name counts.
FieldLookup MeasureLookup(const ObjectList& objects, double pixelsPerCentimetre);

// Every text of the drawing gets its fields filled from its measurements.
void RefreshTexts(ObjectList& objects, double pixelsPerCentimetre);
// The same for one object, when it is a text.
void RefreshText(TGObject& object, const FieldLookup& lookup);

}  // namespace zelmora
