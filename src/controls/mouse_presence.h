#pragma once

namespace zelmora {

// Whether the pointer is over a control, as its enter and leave notifications
// say. A disabled control neither notices the pointer coming nor going, and a
// leave without an enter (the pointer was already inside when the control
// appeared) is not reported.
class MousePresence {
 public:
  // True when the enter is news and should be reported.
  bool Enter(bool enabled) {
    if (inside_ || !enabled) return false;
    inside_ = true;
    return true;
  }
  // True when the leave is news and should be reported.
  bool Leave(bool enabled) {
    if (!inside_ || !enabled) return false;
    inside_ = false;
    return true;
  }
  bool Inside() const { return inside_; }

 private:
  bool inside_ = false;
};

}  // namespace zelmora
