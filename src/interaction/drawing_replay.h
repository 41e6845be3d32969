#pragma once

#include <cstddef>
#include <functional>

namespace zelmora {

// A walk through a construction, one object at a time. It only says how much
// of the drawing is painted; the drawing itself is never touched, so a
// replay is no change: nothing to save, nothing to undo.
class DrawingReplay {
 public:
  bool Active() const { return active_; }
  // How many objects, from the first, are shown.
  std::size_t Step() const { return step_; }
  // Shows the first `step` of `total` objects, starting a replay when none runs.
  void Show(std::size_t step, std::size_t total);
  // The whole drawing again; the listener hears of it when a replay ran.
  void Stop();
  // Who follows the replay (the protocol window); empty: nobody.
  void SetStopListener(std::function<void()> listener) { onStop_ = std::move(listener); }

 private:
  bool active_ = false;
  std::size_t step_ = 0;
  std::function<void()> onStop_;
};

}  // namespace zelmora
