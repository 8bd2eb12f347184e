// The stop key: a combination grabbed on the root window, whatever the
// state of Num Lock, Caps Lock and Scroll Lock, so that its press reaches
// only dxplay.
#pragma once

#include <vector>

#include "texts/key_combination.h"

using Display = struct _XDisplay;
union _XEvent;

namespace dx::x11 {

class StopKey {
 public:
  enum class Grab { Held, TakenByAnotherClient, NotOnKeyboard };

  StopKey(Display* display, KeyCombination combination);
  ~StopKey();
  StopKey(const StopKey&) = delete;
  StopKey& operator=(const StopKey&) = delete;

  Grab State() const { return state_; }
  // True for a press of the combination (lock keys ignored).
  bool IsPress(const _XEvent& event) const;

 private:
  Display* display_;
  Grab state_ = Grab::NotOnKeyboard;
  int keycode_ = 0;
  unsigned modifiers_ = 0;  // X modifier bits
  unsigned ignored_ = 0;    // the lock keys' bits
  std::vector<unsigned> grabbed_;
};

}  // namespace dx::x11
