#pragma once

namespace zelmora {

// The keys the editor acts on, as the window translates them.
enum class Key {
  Escape,
  Left,
  Right,
  Up,
  Down,
  KeypadPlus,
  KeypadMinus,
  F1,
  Digit0,
  Digit1,
  Digit2,
  Digit3,
  Digit4,
  Digit5,
  Digit6,
  Digit7,
  C,
  L,
  P,
  V,
  Y,
  Z,
  Enter,  // ends a choice made on the drawing
  Other,
};

}  // namespace zelmora
