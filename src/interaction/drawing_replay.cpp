#include "interaction/drawing_replay.h"

#include <algorithm>

namespace zelmora {

void DrawingReplay::Show(std::size_t step, std::size_t total) {
  active_ = true;
  step_ = std::min(step, total);
}

void DrawingReplay::Stop() {
  if (!active_) return;
  active_ = false;
  step_ = 0;
  if (onStop_) onStop_();
}

}  // namespace zelmora
