#include "interaction/object_properties.h"

#include "document/cp1251.h"
#include "geometry/graph.h"
#include "geometry/utf8.h"

namespace zelmora {
namespace {

constexpr int kPenStyleCount = 5;

bool HasPropertiesDialog(int kind) {
  return kind == kPointKind || kind == kLineKind || kind == kCircleKind || kind == kMeasureKind ||
         kind == kTextKind;
}

// A damaged file may carry any number; the dialog's list knows five styles.
int KnownPenStyle(int style) {
  return style >= 0 && style < kPenStyleCount ? style : 0;
}

}  // namespace

WidthRange WidthRangeOf(int kind) {
  return kind == kPointKind ? WidthRange{1, 7, 2} : WidthRange{1, 11, 2};
}

bool PenStyleSelectable(int width) {
  return width < 2;
}

EndsOffBox EndsOffBoxOf(const TGObject& object) {
  if (object.Kind() != kLineKind) return EndsOffBox::kNone;
  const auto& line = static_cast<const TGLine&>(object);
  if (line.Bounded2) return EndsOffBox::kSegment;
  if (line.Bounded1) return EndsOffBox::kRay;
  return EndsOffBox::kNone;
}

std::optional<int> PropertiesDialogKind(const ObjectList& objects, int index) {
  const TGObject* object = objects.at(index);
  if (object == nullptr || object->Hidden || !HasPropertiesDialog(object->Kind())) {
    return std::nullopt;
  }
  return object->Kind();
}

ObjectProperties PropertiesShown(const TGObject& object) {
  ObjectProperties shown;
  shown.name = object.Name;
  shown.color = object.Color;
  shown.width = WidthRangeOf(object.Kind()).Clamp(object.Width);
  shown.penStyle = PenStyleSelectable(shown.width) ? KnownPenStyle(object.PenStyle) : 0;
  shown.nameVisible = object.NameVisible;
  shown.mustDraw = object.MustDraw;
  if (object.Kind() == kLineKind) shown.endsOff = static_cast<const TGLine&>(object).EndsOff;
  return shown;
}

NameProblem CheckName(std::string_view name) {
  for (const char c : name) {
    if (c == ';') return NameProblem::kSemicolon;
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return NameProblem::kControlCharacter;
  }
  return FitsCp1251(name) ? NameProblem::kNone : NameProblem::kOutsideCharset;
}

std::string NameProblemText(NameProblem problem) {
  switch (problem) {
    case NameProblem::kNone:
      return {};
    case NameProblem::kSemicolon:
      return "Знак \";\" в имени недопустим";
    case NameProblem::kControlCharacter:
      return "Имя должно быть одной строкой";
    case NameProblem::kOutsideCharset:
      return "В имени есть знак, который нельзя сохранить в файле";
  }
  return {};
}

ApplyResult ApplyProperties(ObjectList& objects, int index, const ObjectProperties& confirmed) {
  TGObject* object = objects.at(index);
  if (object == nullptr) return ApplyResult::kNoObject;
  if (CheckName(confirmed.name) != NameProblem::kNone) return ApplyResult::kNameRefused;

  ChangeLog::Restyling(*object);
  const int kind = object->Kind();
  bool changed = false;
  auto write = [&changed](auto& field, const auto& value) {
    if (field != value) {
      field = value;
      changed = true;
    }
  };
  write(object->Name, Utf8Prefix(confirmed.name, kMaxNameLength));
  write(object->Color, confirmed.color);
  const int width = WidthRangeOf(kind).Clamp(confirmed.width);
  write(object->Width, width);
  // A point has no pen style in its dialog; its stored one stays.
  if (kind != kPointKind) {
    write(object->PenStyle, PenStyleSelectable(width) ? KnownPenStyle(confirmed.penStyle) : 0);
  }
  write(object->NameVisible, confirmed.nameVisible);
  write(object->MustDraw, confirmed.mustDraw);
  bool endsOffChanged = false;
  if (EndsOffBoxOf(*object) != EndsOffBox::kNone) {
    auto& line = static_cast<TGLine&>(*object);
    endsOffChanged = line.EndsOff != confirmed.endsOff;
    write(line.EndsOff, confirmed.endsOff);
  }
  if (!changed) return ApplyResult::kUnchanged;
  objects.MarkModified();
  if (endsOffChanged) UpdateDescendants(*object);
  return ApplyResult::kChanged;
}

std::vector<int> ListedObjects(const ObjectList& objects) {
  std::vector<int> listed;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const TGObject& object = objects[i];
    if (HasPropertiesDialog(object.Kind()) && !object.Hidden) listed.push_back(object.Index());
  }
  return listed;
}

}  // namespace zelmora
