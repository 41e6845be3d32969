#include "mainwindow/key_translation.h"

#include <QKeyEvent>

namespace zelmora {
namespace {

// Cyrillic capitals on the keys of C, L, P, V and Z of a Russian keyboard.
constexpr int kCyrillicEs = 0x0421;
constexpr int kCyrillicDe = 0x0414;
constexpr int kCyrillicZe = 0x0417;
constexpr int kCyrillicEm = 0x041C;
constexpr int kCyrillicYa = 0x042F;
constexpr int kCyrillicEn = 0x041D;

}  // namespace

std::optional<Key> EditorKey(const QKeyEvent& event) {
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  const int key = event.key();
  if (keypad) {
    if (key == Qt::Key_Plus) return Key::KeypadPlus;
    if (key == Qt::Key_Minus) return Key::KeypadMinus;
  }
  // Only the digits of the main keyboard set widths.
  if (!keypad && key >= Qt::Key_0 && key <= Qt::Key_7) {
    return static_cast<Key>(static_cast<int>(Key::Digit0) + (key - Qt::Key_0));
  }
  switch (key) {
    case Qt::Key_Escape:
      return Key::Escape;
    case Qt::Key_Left:
      return Key::Left;
    case Qt::Key_Right:
      return Key::Right;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_F1:
      return Key::F1;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::Enter;
    case Qt::Key_C:
    case kCyrillicEs:
      return Key::C;
    case Qt::Key_L:
    case kCyrillicDe:
      return Key::L;
    case Qt::Key_P:
    case kCyrillicZe:
      return Key::P;
    case Qt::Key_V:
    case kCyrillicEm:
      return Key::V;
    case Qt::Key_Y:
    case kCyrillicEn:
      return Key::Y;
    case Qt::Key_Z:
    case kCyrillicYa:
      return Key::Z;
    default:
      return std::nullopt;
  }
}

Modifiers KeyModifiers(const QKeyEvent& event) {
  Modifiers mods;
  mods.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  mods.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
  return mods;
}

}  // namespace zelmora
