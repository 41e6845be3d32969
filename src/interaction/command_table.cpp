#include "interaction/command_table.h"

#include <algorithm>

namespace zelmora {
namespace {

constexpr ObjectKind KindOf(CommandGroup group) {
  switch (group) {
    case CommandGroup::Point:
      return kPointKind;
    case CommandGroup::Line:
      return kLineKind;
    case CommandGroup::Circle:
      return kCircleKind;
    case CommandGroup::Measure:
      return kMeasureKind;
  }
  return kPointKind;
}

constexpr InteractionState PlacingStateOf(CommandGroup group) {
  switch (group) {
    case CommandGroup::Point:
      return InteractionState::PlacePoint;
    case CommandGroup::Line:
      return InteractionState::PlaceLine;
    case CommandGroup::Circle:
      return InteractionState::PlaceCircle;
    case CommandGroup::Measure:
      return InteractionState::PlaceText;
  }
  return InteractionState::PlacePoint;
}

// The row of the method a candidate ends in, -1 for none; the circle-first
// crossing stores the line-circle one. A row rather than a pointer: the
// sanitizers' build cannot compare pointers at compile time.
constexpr int MethodRowOfCandidate(MethodCode code) {
  if (code == kCircleFirstCrossing) code = CodeOf(ConstructionMethod::LineCircleFirst);
  return MethodRow(Number(code));
}

// A measurement picks what its own table says; a text is placed. Both carry
// the first prompt, which the prompt table does not hold.
constexpr bool MeasureRowIsConsistent(const CommandInfo& c) {
  if (c.candidates.size() != 1 || c.placePrompt.empty() || c.parameter != ParameterKind::None) {
    return false;
  }
  if (c.mode == InteractionState::PlaceText) return c.code == TGText::kMethodCode;
  return c.mode == InteractionState::PickMeasured && IsMeasurementCode(c.code);
}

constexpr bool RowIsConsistent(const CommandInfo& c) {
  if (c.candidates.size() == 0 || *c.candidates.begin() != c.code) return false;
  if (c.group == CommandGroup::Measure) return MeasureRowIsConsistent(c);
  const bool placing = c.mode != InteractionState::PickParents;
  if (placing && (c.mode != PlacingStateOf(c.group) || c.candidates.size() != 1)) return false;
  if (placing == c.placePrompt.empty()) return false;
  for (MethodCode code : c.candidates) {
    const int row = MethodRowOfCandidate(code);
    if (row < 0) return false;
    const MethodInfo* method = &method_table::kMethods[static_cast<std::size_t>(row)];
    if (method->kind != KindOf(c.group)) return false;
    if (std::find(kCreationMethods.begin(), kCreationMethods.end(), code) == kCreationMethods.end())
      return false;
    // A free method is placed, every other one picked.
    if (method->parents.empty() != placing) return false;
    const bool asks = c.parameter != ParameterKind::None;
    if (method->takesValue != asks) return false;
    if (asks) {
      const ObjectKind valueKind = method->ParentKind(method->parents.size() - 1);
      if ((valueKind == kAngleKind) != (c.parameter == ParameterKind::Angle)) return false;
    }
  }
  return true;
}

// A wrong row would start the wrong construction from a menu, so the table
// is checked where it is compiled.
constexpr bool TableIsConsistent() {
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const CommandInfo& c = kCommands[i];
    if (static_cast<std::size_t>(c.command) != i) return false;  // Info() indexes by command
    if (!RowIsConsistent(c)) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kCommands[j].code == c.code) return false;  // menu items are named by code
      const bool samePlace = kCommands[j].group == c.group && kCommands[j].dialogX == c.dialogX &&
                             kCommands[j].dialogY == c.dialogY;
      if (samePlace) return false;
    }
  }
  return true;
}
static_assert(TableIsConsistent());

// A key opens one group's dialog; a button shows a picture or a symbol.
constexpr bool GroupsAreConsistent() {
  const auto& groups = command_table::kGroups;
  for (std::size_t g = 0; g < kCommandGroupCount; ++g) {
    if (static_cast<std::size_t>(groups[g].group) != g) return false;
    if ((groups[g].picture != 0) == !groups[g].symbol.empty()) return false;
    for (std::size_t h = 0; h < g; ++h) {
      if (groups[g].ctrlKey && groups[h].ctrlKey == groups[g].ctrlKey) return false;
      if (groups[h].buttonName == groups[g].buttonName) return false;
    }
  }
  return true;
}
static_assert(GroupsAreConsistent());
static_assert(std::size(command_table::kGroups) == kCommandGroupCount);

}  // namespace

bool CommandSet::AnyOf(CommandGroup group) const {
  return std::any_of(std::begin(kCommands), std::end(kCommands),
                     [&](const CommandInfo& c) { return c.group == group && Contains(c.command); });
}

}  // namespace zelmora
