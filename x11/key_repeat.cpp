#include "x11/key_repeat.h"

#include <X11/Xlib.h>

namespace dx::x11 {

HeldKeyRepeat::HeldKeyRepeat(Display* display) : display_(display) {
  XKeyboardState state{};
  XGetKeyboardControl(display_, &state);
  for (std::size_t i = 0; i < user_repeats_.size(); ++i) user_repeats_[i] = state.auto_repeats[i];
}

HeldKeyRepeat::~HeldKeyRepeat() {
  bool any = false;
  for (unsigned keycode = 0; keycode < turned_off_.size(); ++keycode) {
    if (!turned_off_[keycode]) continue;
    SetRepeat(keycode, true);
    any = true;
  }
  if (any) XFlush(display_);
}

void HeldKeyRepeat::BeforePress(unsigned keycode) {
  if (keycode >= turned_off_.size() || turned_off_[keycode]) return;
  if ((user_repeats_[keycode / 8] & (1 << (keycode % 8))) == 0) return;
  SetRepeat(keycode, false);
  turned_off_[keycode] = true;
}

void HeldKeyRepeat::AfterRelease(unsigned keycode) {
  if (keycode >= turned_off_.size() || !turned_off_[keycode]) return;
  SetRepeat(keycode, true);
  turned_off_[keycode] = false;
}

void HeldKeyRepeat::SetRepeat(unsigned keycode, bool on) {
  XKeyboardControl control{};
  control.key = static_cast<int>(keycode);
  control.auto_repeat_mode = on ? AutoRepeatModeOn : AutoRepeatModeOff;
  XChangeKeyboardControl(display_, KBKey | KBAutoRepeatMode, &control);
}

}  // namespace dx::x11
