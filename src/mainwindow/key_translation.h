#pragma once

#include <optional>

#include "interaction/editor.h"

class QKeyEvent;

namespace zelmora {

// The editor's key for a key press, or nothing for keys it does not know.
// Letters go by the key, not the layout: Ctrl with the key of C works the
// same whether it types a Latin C or a Cyrillic С.
std::optional<Key> EditorKey(const QKeyEvent& event);
Modifiers KeyModifiers(const QKeyEvent& event);

}  // namespace zelmora
