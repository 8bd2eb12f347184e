#include "x11/stop_key.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "x11/display.h"
#include "x11/keyboard_map.h"

namespace dx::x11 {
namespace {

// The modifier bit the current map gives a key (Num Lock is Mod2 on most
// maps, Alt Mod1, Scroll Lock often none).
unsigned ModifierBitOf(Display* display, KeySym keysym) {
  const KeyCode keycode = XKeysymToKeycode(display, keysym);
  if (keycode == 0) return 0;
  XModifierKeymap* map = XGetModifierMapping(display);
  unsigned bit = 0;
  for (int modifier = 0; modifier < 8 && bit == 0; ++modifier) {
    for (int k = 0; k < map->max_keypermod; ++k) {
      if (map->modifiermap[modifier * map->max_keypermod + k] == keycode) bit = 1u << modifier;
    }
  }
  XFreeModifiermap(map);
  return bit;
}

unsigned XModifiersOf(Display* display, unsigned modifiers) {
  unsigned bits = 0;
  if (modifiers & kModifierControl) bits |= ControlMask;
  if (modifiers & kModifierShift) bits |= ShiftMask;
  if (modifiers & kModifierAlt) {
    const unsigned alt = ModifierBitOf(display, XK_Alt_L);
    bits |= alt != 0 ? alt : Mod1Mask;
  }
  return bits;
}

}  // namespace

StopKey::StopKey(Display* display, KeyCombination combination) : display_(display) {
  keycode_ = static_cast<int>(KeycodeOfVirtualKey(display, combination.key).keycode);
  if (keycode_ == 0) return;
  modifiers_ = XModifiersOf(display, combination.modifiers);
  const unsigned locks[] = {LockMask, ModifierBitOf(display, XK_Num_Lock), ModifierBitOf(display, XK_Scroll_Lock)};
  for (const unsigned lock : locks) ignored_ |= lock;
  const Window root = DefaultRootWindow(display);
  ErrorTrap trap(display);
  // Every subset of the lock bits.
  for (unsigned subset = ignored_;; subset = (subset - 1) & ignored_) {
    XGrabKey(display, keycode_, modifiers_ | subset, root, False, GrabModeAsync, GrabModeAsync);
    grabbed_.push_back(modifiers_ | subset);
    if (subset == 0) break;
  }
  state_ = trap.Sync() == BadAccessCode() ? Grab::TakenByAnotherClient : Grab::Held;
}

StopKey::~StopKey() {
  if (grabbed_.empty()) return;
  ErrorTrap trap(display_);
  for (const unsigned mask : grabbed_) XUngrabKey(display_, keycode_, mask, DefaultRootWindow(display_));
}

bool StopKey::IsPress(const XEvent& event) const {
  if (event.type != KeyPress || keycode_ == 0) return false;
  constexpr unsigned kButtons = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
  return static_cast<int>(event.xkey.keycode) == keycode_ && (event.xkey.state & ~(ignored_ | kButtons)) == modifiers_;
}

}  // namespace dx::x11
