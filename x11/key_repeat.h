// A key that a script holds does not repeat: the X server repeats a key
// that XTest holds down as it does a real one, where a key held down by
// the Windows program's input does not. Repeat is turned off for that
// keycode alone while it is down and turned on again with its release, or
// at the end of the run for a key still down; a key the user set not to
// repeat is left as it was.
#pragma once

#include <array>
#include <cstdint>

using Display = struct _XDisplay;

namespace dx::x11 {

class HeldKeyRepeat {
 public:
  // Reads the user's repeat settings once: a run sends many keys.
  explicit HeldKeyRepeat(Display* display);
  ~HeldKeyRepeat();
  HeldKeyRepeat(const HeldKeyRepeat&) = delete;
  HeldKeyRepeat& operator=(const HeldKeyRepeat&) = delete;

  // Before the press of `keycode` is sent.
  void BeforePress(unsigned keycode);
  // After its release was sent.
  void AfterRelease(unsigned keycode);

 private:
  void SetRepeat(unsigned keycode, bool on);

  Display* display_;
  // A bit for each keycode that the user's settings let repeat.
  std::array<char, 32> user_repeats_{};
  // The keycodes whose repeat this run turned off.
  std::array<bool, 256> turned_off_{};
};

}  // namespace dx::x11
