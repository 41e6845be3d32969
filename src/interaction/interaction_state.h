#pragma once

#include <cstddef>
#include <cstdint>

namespace zelmora {

// What a mouse press means right now. The values are those the help and the
// macro code refer to, so they are fixed.
enum class InteractionState : std::uint8_t {
  Normal = 0,
  PlacePoint = 1,
  PlaceLine = 2,
  PlaceCircle = 3,
  PickParents = 4,
  MoveObject = 5,
  ShiftObject = 6,
  MoveObjectLabel = 7,
  ZoomMode = 8,
  ExportRect = 9,
  PanDrag = 10,
  TranslateMode = 11,
  RotateMode = 12,
  PointSymmetryMode = 13,
  LineSymmetryMode = 14,
  MacroRecord = 15,
  MacroApply = 16,
  PickMeasured = 17,  // picking what a measurement measures
  PlaceText = 18,
  TaskPick = 19,  // picking a new task's givens and targets
};
inline constexpr std::size_t kInteractionStateCount = 20;

// The five whole-drawing modes, toggled by the picture tool bar.
inline bool IsPictureMode(InteractionState s) {
  return s == InteractionState::ZoomMode || s == InteractionState::TranslateMode ||
         s == InteractionState::RotateMode || s == InteractionState::PointSymmetryMode ||
         s == InteractionState::LineSymmetryMode;
}

}  // namespace zelmora
