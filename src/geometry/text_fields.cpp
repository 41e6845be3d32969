#include "geometry/text_fields.h"

#include <muParser.h>

#include <cmath>
#include <vector>

#include "geometry/object_list.h"
#include "geometry/tg_measure.h"
#include "geometry/tg_text.h"

namespace zelmora {
namespace {

// Built with += because GCC 12 warns falsely (-Wrestrict) on "v" + s.
std::string VariableName(std::size_t i) {
  std::string name = "v";
  name += std::to_string(i);
  return name;
}

bool IsNameByte(char c, bool first) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x80 || c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  return !first && c >= '0' && c <= '9';
}

// A formula with its names taken out: muparser sees v0, v1, ... for them,
// since measurement names may be Cyrillic.
struct Formula {
  std::string expression;
  std::vector<std::string> names;
};

Formula Prepare(std::string_view field) {
  Formula formula;
  for (std::size_t i = 0; i < field.size();) {
    if (!IsNameByte(field[i], true) ||
        (i > 0 && (std::isdigit(static_cast<unsigned char>(field[i - 1])) != 0))) {
      formula.expression += field[i++];
      continue;
    }
    std::size_t end = i;
    while (end < field.size() && IsNameByte(field[end], false)) ++end;
    const std::string_view name = field.substr(i, end - i);
    const std::size_t after = field.find_first_not_of(' ', end);
    if (after != std::string_view::npos && field[after] == '(') {
      formula.expression += name;  // a function of the library: sqrt, sin, ...
    } else {
      formula.expression += VariableName(formula.names.size());
      formula.names.emplace_back(name);
    }
    i = end;
  }
  return formula;
}

std::string Evaluate(std::string_view field, const FieldLookup& lookup) {
  const Formula formula = Prepare(field);
  std::vector<double> values(formula.names.size());
  int decimals = -1;
  bool noValue = false;
  mu::Parser parser;
  try {
    for (std::size_t i = 0; i < values.size(); ++i) {
      const FieldValue v = lookup(formula.names[i]);
      if (v.state == FieldValue::State::Missing) return "?";
      noValue = noValue || v.state == FieldValue::State::NoValue;
      values[i] = v.value;
      if (decimals < 0) decimals = v.decimals;
      parser.DefineVar(VariableName(i), &values[i]);
    }
    parser.SetExpr(formula.expression);
    const double result = parser.Eval();
    if (noValue) return "—";
    return std::isfinite(result) ? FormatDecimal(result, decimals) : "?";
  } catch (const mu::Parser::exception_type&) {
    return "?";
  }
}

bool HoldsName(std::string_view field) {
  for (char c : field) {
    if (IsNameByte(c, true)) return true;
  }
  return false;
}

}  // namespace

std::string FillFields(std::string_view text, const FieldLookup& lookup) {
  std::string out;
  while (!text.empty()) {
    const std::size_t open = text.find('{');
    const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
    if (close == std::string_view::npos) break;
    const std::string_view field = text.substr(open + 1, close - open - 1);
    out += text.substr(0, open);
    if (HoldsName(field) && field.find('{') == std::string_view::npos) {
      out += Evaluate(field, lookup);
    } else {
      out += text.substr(open, close - open + 1);
    }
    text.remove_prefix(close + 1);
  }
  out += text;
  return out;
}

FieldLookup MeasureLookup(const ObjectList& objects, double pixelsPerCentimetre) {
  return [&objects, pixelsPerCentimetre](std::string_view name) {
    for (std::size_t i = 0; i < objects.size(); ++i) {
      if (objects[i].Kind() != kMeasureKind || objects[i].Name != name) continue;
      const auto& m = static_cast<const TGMeasure&>(objects[i]);
      if (!m.Defined || !m.HasValue) return FieldValue{FieldValue::State::NoValue, 0, m.Decimals};
      return FieldValue{FieldValue::State::Number, m.ShownValue(pixelsPerCentimetre), m.Decimals};
    }
    return FieldValue{};
  };
}

void RefreshText(TGObject& object, const FieldLookup& lookup) {
  if (object.Kind() != kTextKind) return;
  auto& text = static_cast<TGText&>(object);
  text.Shown = FillFields(text.Text, lookup);
}

void RefreshTexts(ObjectList& objects, double pixelsPerCentimetre) {
  const FieldLookup lookup = MeasureLookup(objects, pixelsPerCentimetre);
  for (std::size_t i = 0; i < objects.size(); ++i) RefreshText(objects[i], lookup);
}

}  // namespace zelmora
