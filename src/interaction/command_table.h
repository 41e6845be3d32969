#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "document/image_pack.h"
#include "geometry/construction_method.h"
#include "geometry/tg_measure.h"
#include "geometry/tg_text.h"
#include "interaction/editor_texts.h"
#include "interaction/interaction_state.h"
#include "interaction/keys.h"

// Every command a user gives to build something, in one table above the
// method table: its captions, where it sits in the menu and in the
// new-object dialog, how it builds (placing a free object or picking
// parents), which methods it may end in, and what value it asks for. The
// menus, the tool bar, the dialogs and the creation sequence are made from
// this table; nothing else names a method code.
namespace zelmora {

// Not a method of its own: the line-circle intersection picked circle first.
// It has its own row in the step table; building swaps the two picks and
// stores the line-circle methods.
inline constexpr MethodCode kCircleFirstCrossing{304};

// The groups of commands: a submenu of "Новый объект", a new-object dialog
// and a button of the object bar each.
enum class CommandGroup : std::uint8_t { Point, Line, Circle, Measure };
using NewObjectKind = CommandGroup;
inline constexpr std::size_t kCommandGroupCount = 4;

enum class Command : std::uint8_t {
  FreePoint,
  PointOnObject,
  Intersection,
  Projection,
  Midpoint,
  PointAtDistance,
  CircleCentre,
  FreeLine,
  LineThroughTwoPoints,
  Segment,
  Ray,
  ParallelLine,
  PerpendicularLine,
  PerpendicularBisector,
  LineAtAngle,
  LineAtConstantAngle,
  Bisector,
  FreeCircle,
  CircleByCentreAndPoint,
  CircleByCentreAndRadius,
  CircleThroughThreePoints,
  MeasureDistance,
  MeasureLength,
  MeasureRadius,
  MeasureAngle,
  MeasureLinesAngle,
  PlaceText,
};

// The value a command asks for after its last pick.
enum class ParameterKind : std::uint8_t { None, Distance, Angle };

struct CommandInfo {
  Command command;
  CommandGroup group;
  // What the step and prompt tables call it: its first prompt, the text the
  // dialog shows for it, and the name of its menu item ("NewObject" + code).
  MethodCode code;
  std::string_view menuCaption;
  std::string_view dialogCaption;
  // The radio button's place on the dialog's panel. The buttons are numbered
  // column by column, top to bottom.
  int dialogX, dialogY;
  // PlacePoint, PlaceLine or PlaceCircle: a free object placed with the
  // mouse; PickParents: built from picked parents.
  InteractionState mode;
  // The methods the picks choose between, in the order they are tried.
  std::initializer_list<MethodCode> candidates;
  ParameterKind parameter;
  // The prompt while placing; the picks' prompts come from the prompt table.
  std::string_view placePrompt;
};

namespace command_table {
using C = Command;
using G = CommandGroup;
using M = ConstructionMethod;
using S = InteractionState;
using P = ParameterKind;
constexpr MethodCode Of(M method) {
  return CodeOf(method);
}
using MS = Measurement;
constexpr MethodCode Of(MS measurement) {
  return CodeOf(measurement);
}
inline constexpr MethodCode kTextCode = TGText::kMethodCode;

// clang-format off
inline constexpr CommandInfo kCommands[] = {
  // command                      group      code                              menu caption                      dialog caption                   dialog at   mode            candidates                                                                                       value        placing prompt
  {C::FreePoint,                  G::Point,  Of(M::FreePoint),                 "На плоскости",                   "Свободная",                     8,   40,    S::PlacePoint,  {Of(M::FreePoint)},                                                                              P::None,     texts::kPlacePointPrompt},
  {C::PointOnObject,              G::Point,  Of(M::PointOnLine),               "Принадлежит объекту",            "Принадлежит объекту",           8,   64,    S::PickParents, {Of(M::PointOnLine), Of(M::PointOnCircle)},                                                      P::None,     {}},
  {C::Intersection,               G::Point,  Of(M::LinesCrossing),             "Пересечение объектов",           "Пересечение обектов",           8,   88,    S::PickParents, {Of(M::LinesCrossing), Of(M::LineCircleFirst), Of(M::CirclesFirst), kCircleFirstCrossing},       P::None,     {}},
  {C::Projection,                 G::Point,  Of(M::Projection),                "Проекция",                       "Проекция",                      8,   112,   S::PickParents, {Of(M::Projection)},                                                                             P::None,     {}},
  {C::Midpoint,                   G::Point,  Of(M::Midpoint),                  "Середина отрезка",               "Середина отрезка",              168, 40,    S::PickParents, {Of(M::Midpoint)},                                                                               P::None,     {}},
  {C::PointAtDistance,            G::Point,  Of(M::PointAtDistance),           "Удаление от точки на константу", "Удаление от точки на константу", 168, 64,    S::PickParents, {Of(M::PointAtDistance)},                                                                        P::Distance, {}},
  {C::CircleCentre,               G::Point,  Of(M::CircleCentre),              "Центр окружности",               "Центр окружности",              168, 88,    S::PickParents, {Of(M::CircleCentre)},                                                                           P::None,     {}},
  {C::FreeLine,                   G::Line,   Of(M::FreeLine),                  "На плоскости",                   "На плоскости",                  8,   40,    S::PlaceLine,   {Of(M::FreeLine)},                                                                               P::None,     texts::kPlaceLinePrompt},
  {C::LineThroughTwoPoints,       G::Line,   Of(M::LineThroughTwoPoints),      "Две точки",                      "Две точки",                     8,   64,    S::PickParents, {Of(M::LineThroughTwoPoints)},                                                                   P::None,     {}},
  {C::Segment,                    G::Line,   Of(M::Segment),                   "Отрезок",                        "Отрезок",                       8,   88,    S::PickParents, {Of(M::Segment)},                                                                                P::None,     {}},
  {C::Ray,                        G::Line,   Of(M::Ray),                       "Луч",                            "Луч",                           8,   112,   S::PickParents, {Of(M::Ray)},                                                                                    P::None,     {}},
  {C::ParallelLine,               G::Line,   Of(M::ParallelLine),              "Параллельная",                   "Параллельная",                  120, 40,    S::PickParents, {Of(M::ParallelLine)},                                                                           P::None,     {}},
  {C::PerpendicularLine,          G::Line,   Of(M::PerpendicularLine),         "Перпендикуляр",                  "Перпендикуляр",                 120, 64,    S::PickParents, {Of(M::PerpendicularLine)},                                                                      P::None,     {}},
  {C::PerpendicularBisector,      G::Line,   Of(M::PerpendicularBisector),     "Серединный перпендикуляр",       "Серединный перпендикуляр",      296, 64,    S::PickParents, {Of(M::PerpendicularBisector)},                                                                  P::None,     {}},
  {C::LineAtAngle,                G::Line,   Of(M::LineAtAngleOfThreePoints),  "Под улом к прямой",              "Под улом к прямой",             120, 88,    S::PickParents, {Of(M::LineAtAngleOfThreePoints), Of(M::LineAtAngleOfTwoLines)},                                 P::None,     {}},
  {C::LineAtConstantAngle,        G::Line,   Of(M::LineAtConstantAngle),       "Под постоянным улом к прямой",   "Под постоянным улом к прямой",  120, 112,   S::PickParents, {Of(M::LineAtConstantAngle)},                                                                    P::Angle,    {}},
  {C::Bisector,                   G::Line,   Of(M::BisectorOfThreePoints),     "Биссектриса",                    "Биссектриса",                   296, 40,    S::PickParents, {Of(M::BisectorOfThreePoints), Of(M::BisectorOfTwoLines)},                                       P::None,     {}},
  {C::FreeCircle,                 G::Circle, Of(M::FreeCircle),                "На плоскости",                   "На плоскости",                  8,   48,    S::PlaceCircle, {Of(M::FreeCircle)},                                                                             P::None,     texts::kPlaceCirclePrompt},
  {C::CircleByCentreAndPoint,     G::Circle, Of(M::CircleByCentreAndPoint),    "По центру и точке",              "По центру и точке",             8,   72,    S::PickParents, {Of(M::CircleByCentreAndPoint)},                                                                 P::None,     {}},
  {C::CircleByCentreAndRadius,    G::Circle, Of(M::CircleByCentreAndRadius),   "По центру и радиусу",            "По центру и радиусу",           8,   96,    S::PickParents, {Of(M::CircleByCentreAndRadius)},                                                                P::None,     {}},
  {C::CircleThroughThreePoints,   G::Circle, Of(M::CircleThroughThreePoints),  "Через три точки",                "Через три точки",               176, 48,    S::PickParents, {Of(M::CircleThroughThreePoints)},                                                               P::None,     {}},
  // Measurements and texts: their own modes pick and place; the first prompt
  // stands in the last column, since the prompt table does not know them.
  {C::MeasureDistance,            G::Measure, Of(MS::Distance),                "Расстояние между точками",       "Расстояние между точками",      8,   40,    S::PickMeasured, {Of(MS::Distance)},                                                                             P::None,     "Выберите первую точку"},
  {C::MeasureLength,              G::Measure, Of(MS::Length),                  "Длина отрезка",                  "Длина отрезка",                 8,   64,    S::PickMeasured, {Of(MS::Length)},                                                                               P::None,     "Выберите отрезок"},
  {C::MeasureRadius,              G::Measure, Of(MS::Radius),                  "Радиус окружности",              "Радиус окружности",             8,   88,    S::PickMeasured, {Of(MS::Radius)},                                                                               P::None,     "Выберите окружность"},
  {C::MeasureAngle,               G::Measure, Of(MS::Angle),                   "Угол по трём точкам",            "Угол по трём точкам",           240, 40,    S::PickMeasured, {Of(MS::Angle)},                                                                                P::None,     "Выберите точку на первой стороне угла"},
  {C::MeasureLinesAngle,          G::Measure, Of(MS::LinesAngle),              "Угол между прямыми",             "Угол между прямыми",            240, 64,    S::PickMeasured, {Of(MS::LinesAngle)},                                                                           P::None,     "Выберите первую прямую"},
  {C::PlaceText,                  G::Measure, kTextCode,                       "Текст",                          "Текст",                         240, 88,    S::PlaceText,    {kTextCode},                                                                                    P::None,     "Щёлкните там, где должен начинаться текст"},
};
// clang-format on

// A group's button on the object bar and its key open the group's dialog,
// which offers the commands of the rows above with that group.
struct GroupInfo {
  CommandGroup group;
  std::string_view menuCaption;  // the submenu of "Новый объект"
  std::string_view buttonName;   // the button's object name
  std::string_view buttonHint;
  // The button shows a picture of the image pack, or else the symbol.
  int picture;
  std::string_view symbol;
  std::optional<Key> ctrlKey;  // with Ctrl, opens the dialog
};
// clang-format off
inline constexpr GroupInfo kGroups[] = {
  // group      menu caption   button            button hint                 picture          symbol key
  {G::Point,   "Точка",       "RxSpeedButton1", "Создать новую точку",      kNewPointGlyph,  {},    Key::P},
  {G::Line,    "Прямая",      "RxSpeedButton2", "Создать новую прямую",     kNewLineGlyph,   {},    Key::L},
  {G::Circle,  "Окружность",  "RxSpeedButton3", "Создать новую окружность", kNewCircleGlyph, {},    Key::C},
  {G::Measure, "Измерить",    "MeasureButton",  "Измерить",                 0,               "∡",   std::nullopt},
};
// clang-format on
}  // namespace command_table

using command_table::kCommands;
inline constexpr std::size_t kCommandCount = std::size(kCommands);

constexpr const CommandInfo& Info(Command command) {
  return kCommands[static_cast<std::size_t>(command)];
}
constexpr const command_table::GroupInfo& Info(CommandGroup group) {
  return command_table::kGroups[static_cast<std::size_t>(group)];
}

// The group whose dialog Ctrl and `key` open, if any.
constexpr std::optional<CommandGroup> GroupWithKey(Key key) {
  for (const command_table::GroupInfo& info : command_table::kGroups) {
    if (info.ctrlKey == key) return info.group;
  }
  return std::nullopt;
}

// The command whose step-table code is `code` (what a menu item is named
// after); nothing for a code no command starts with.
constexpr std::optional<Command> CommandWithCode(MethodCode code) {
  for (const CommandInfo& info : kCommands) {
    if (info.code == code) return info.command;
  }
  return std::nullopt;
}

// The prompt shown while the value of a command is asked for.
constexpr std::string_view ParameterPrompt(ParameterKind kind) {
  return kind == ParameterKind::Angle ? texts::kAnglePrompt : texts::kLengthPrompt;
}

// The methods a creation tries, in order: every method of the method table,
// then the circle-first crossing. A candidate set has one slot per entry.
inline constexpr auto kCreationMethods = [] {
  std::array<MethodCode, kMethodCount + 1> codes{};
  for (std::size_t i = 0; i < kMethodCount; ++i) codes[i] = kMethods[i].code;
  codes.back() = kCircleFirstCrossing;
  return codes;
}();

// A set of commands: what a lesson allows, say.
class CommandSet {
 public:
  constexpr CommandSet() = default;
  CommandSet(std::initializer_list<Command> commands) {
    for (Command c : commands) Add(c);
  }
  static CommandSet All() {
    CommandSet set;
    set.bits_.set();
    return set;
  }
  void Add(Command c) { bits_.set(static_cast<std::size_t>(c)); }
  void Remove(Command c) { bits_.reset(static_cast<std::size_t>(c)); }
  bool Contains(Command c) const { return bits_.test(static_cast<std::size_t>(c)); }
  // Whether any command of the group is in the set.
  bool AnyOf(CommandGroup group) const;
  bool operator==(const CommandSet&) const = default;

 private:
  std::bitset<kCommandCount> bits_;
};

}  // namespace zelmora
