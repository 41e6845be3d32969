#include "geometry/construction_protocol.h"

#include <cmath>
#include <cstdio>

#include "geometry/construction_method.h"
#include "geometry/method_sentences.h"

namespace zelmora {
namespace {

// A typed-in value as a pupil writes it: at most two decimals, a comma, no
// trailing zeros.
std::string ValueText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", std::round(value * 100) / 100);
  std::string text = buffer;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  if (const auto dot = text.find('.'); dot != std::string::npos) text[dot] = ',';
  return text;
}

std::string KindWord(const TGObject& object) {
  switch (object.Kind()) {
    case kPointKind:
      return "точка";
    case kLineKind: {
      const auto& line = static_cast<const TGLine&>(object);
      if (line.Bounded1 && line.Bounded2) return "отрезок";
      return line.Bounded1 || line.Bounded2 ? "луч" : "прямая";
    }
    case kCircleKind:
      return "окружность";
    case kAngleKind:
      return "угол";
    case kLengthKind:
      return "расстояние";
    default:
      return "объект";
  }
}

// Puts the parents' names into the places "{1}".."{9}" of `pattern`; a place
// whose parent is missing stays visible as "?".
std::string FillPattern(std::string_view pattern, const TGObject& object) {
  std::string text;
  text.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool place = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
                       pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
    if (!place) {
      text += pattern[i];
      continue;
    }
    const auto slot = static_cast<std::size_t>(pattern[i + 1] - '1');
    const TGObject* parent = slot < object.Parents.size() ? object.Parents[slot] : nullptr;
    text += parent != nullptr ? ProtocolNameOf(*parent) : "?";
    i += 2;
  }
  return text;
}

std::string ParentNames(const TGObject& object) {
  std::string names;
  for (const TGObject* parent : object.Parents) {
    if (!names.empty()) names += ", ";
    names += parent != nullptr ? ProtocolNameOf(*parent) : "?";
  }
  return names;
}

}  // namespace

std::string ProtocolNameOf(const TGObject& object) {
  switch (object.Kind()) {
    case kAngleKind:
      return ValueText(static_cast<const TGAngle&>(object).Value) + "°";
    case kLengthKind:
      return ValueText(static_cast<const TGLength&>(object).Value);
    default:
      return object.Name;
  }
}

std::string DescribeConstruction(const TGObject& object) {
  switch (object.Kind()) {
    case kAngleKind:
      return "Угол " + ProtocolNameOf(object);
    case kLengthKind:
      return "Расстояние " + ProtocolNameOf(object);
    default:
      break;
  }
  const MethodInfo* method = MethodOf(object);
  if (method == nullptr)
    return "Неизвестный способ построения " + std::to_string(Number(object.Method));
  return FillPattern(SentencePattern(*method), object);
}

std::vector<ProtocolRow> BuildProtocol(const ObjectList& objects) {
  std::vector<ProtocolRow> rows(objects.size());
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const TGObject& object = objects[i];
    ProtocolRow& row = rows[i];
    row.number = static_cast<int>(i) + 1;
    row.kind = object.Kind();
    row.kindWord = KindWord(object);
    row.name = object.Name;
    row.how = DescribeConstruction(object);
    row.parents.reserve(object.Parents.size());
    for (const TGObject* parent : object.Parents) {
      row.parents.push_back(parent != nullptr ? parent->Index() : -1);
    }
    row.parentNames = ParentNames(object);
    row.defined = object.Defined;
  }
  return rows;
}

std::string ProtocolLine(const ProtocolRow& row) {
  std::string line = std::to_string(row.number) + ". " + row.how + ": " + row.kindWord;
  if (!row.name.empty()) line += " " + row.name;
  if (!row.defined) line += " (сейчас не существует)";
  return line;
}

std::string ProtocolText(const std::vector<ProtocolRow>& rows) {
  std::string text;
  for (const ProtocolRow& row : rows) text += ProtocolLine(row) + "\n";
  return text;
}

}  // namespace zelmora
