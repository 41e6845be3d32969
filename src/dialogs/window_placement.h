#pragma once

class QWidget;

namespace zelmora {

// Puts a top-level window in the middle of the screen it is on (the primary
// screen before it has been shown).
void CentreOnScreen(QWidget& window);

}  // namespace zelmora
