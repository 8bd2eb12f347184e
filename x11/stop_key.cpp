#include "x11/stop_key.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <bitset>

#include "x11/display.h"
#include "x11/keyboard_map.h"

namespace dx::x11 {
namespace {

// The keycodes the current map gives modifier `bit` (one of the 8 X
// modifiers).
std::vector<unsigned> KeycodesOfModifier(Display* display, unsigned bit) {
  std::vector<unsigned> keycodes;
  XModifierKeymap* map = XGetModifierMapping(display);
  for (int modifier = 0; modifier < 8; ++modifier) {
    if ((1u << modifier) != bit) continue;
    for (int k = 0; k < map->max_keypermod; ++k) {
      const KeyCode keycode = map->modifiermap[modifier * map->max_keypermod + k];
      if (keycode != 0) keycodes.push_back(keycode);
    }
  }
  XFreeModifiermap(map);
  return keycodes;
}

// The modifier bit the current map gives a key (Num Lock is Mod2 on most
// maps, Alt Mod1, Scroll Lock often none).
unsigned ModifierBitOf(Display* display, KeySym keysym) {
  const KeyCode keycode = XKeysymToKeycode(display, keysym);
  if (keycode == 0) return 0;
  for (unsigned bit = 1; bit < 0x100; bit <<= 1) {
    for (const unsigned k : KeycodesOfModifier(display, bit)) {
      if (k == keycode) return bit;
    }
  }
  return 0;
}

unsigned AltBit(Display* display) {
  const unsigned alt = ModifierBitOf(display, XK_Alt_L);
  return alt != 0 ? alt : Mod1Mask;
}

unsigned XModifiersOf(Display* display, unsigned modifiers) {
  unsigned bits = 0;
  if (modifiers & kModifierControl) bits |= ControlMask;
  if (modifiers & kModifierShift) bits |= ShiftMask;
  if (modifiers & kModifierAlt) bits |= AltBit(display);
  return bits;
}

// For each X modifier bit in `bits`, the keycodes that give it.
std::vector<std::vector<unsigned>> ModifierKeycodes(Display* display, unsigned bits) {
  std::vector<std::vector<unsigned>> keys;
  for (unsigned bit = 1; bit < 0x100; bit <<= 1) {
    if (bits & bit) keys.push_back(KeycodesOfModifier(display, bit));
  }
  return keys;
}

std::bitset<256> KeysDownNow(Display* display) {
  char keys[32] = {};
  XQueryKeymap(display, keys);
  std::bitset<256> down;
  for (unsigned k = 0; k < 256; ++k) down[k] = (keys[k / 8] >> (k % 8)) & 1;
  return down;
}

}  // namespace

StopKey::StopKey(Display* display, KeyCombination combination) : display_(display), combination_(combination) {
  keycode_ = static_cast<int>(KeycodeOfVirtualKey(display, combination.key).keycode);
  if (keycode_ == 0) return;
  modifiers_ = XModifiersOf(display, combination.modifiers);
  const unsigned extra[] = {LockMask, ModifierBitOf(display, XK_Num_Lock), ModifierBitOf(display, XK_Scroll_Lock),
                            ModifierBitOf(display, XK_Super_L)};
  for (const unsigned bit : extra) ignored_ |= bit;
  ignored_ &= ~modifiers_;
  const Window root = DefaultRootWindow(display);
  ErrorTrap trap(display);
  // Every subset of the ignored bits.
  for (unsigned subset = ignored_;; subset = (subset - 1) & ignored_) {
    XGrabKey(display, keycode_, modifiers_ | subset, root, False, GrabModeAsync, GrabModeAsync);
    grabbed_.push_back(modifiers_ | subset);
    if (subset == 0) break;
  }
  state_ = trap.Sync() == BadAccessCode() ? Grab::TakenByAnotherClient : Grab::Held;
  SelectRawEvents();
}

StopKey::~StopKey() {
  if (grabbed_.empty()) return;
  ErrorTrap trap(display_);
  for (const unsigned mask : grabbed_) XUngrabKey(display_, keycode_, mask, DefaultRootWindow(display_));
}

void StopKey::SelectRawEvents() {
  int opcode = 0, event_base = 0, error_base = 0;
  if (!XQueryExtension(display_, "XInputExtension", &opcode, &event_base, &error_base)) return;
  // Raw events reach a client during other clients' grabs from 2.1 on.
  int major = 2, minor = 2;
  if (XIQueryVersion(display_, &major, &minor) != Success || (major == 2 && minor < 1)) return;
  unsigned char mask_bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(mask_bits, XI_RawKeyPress);
  XISetMask(mask_bits, XI_RawKeyRelease);
  XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof mask_bits), mask_bits};
  ErrorTrap trap(display_);
  XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
  if (trap.Sync() != 0) return;
  raw_opcode_ = opcode;
  raw_.emplace(static_cast<unsigned>(keycode_), ModifierKeycodes(display_, modifiers_));
  raw_->Seed(KeysDownNow(display_));
}

bool StopKey::IsPress(XEvent& event) {
  if (keycode_ == 0) return false;
  if (event.type == MappingNotify && raw_) {
    raw_->SetModifiers(ModifierKeycodes(display_, XModifiersOf(display_, combination_.modifiers)));
    return false;
  }
  const bool press = IsRawPress(event) || IsGrabbedPress(event);
  if (press) {
    XUngrabKeyboard(display_, CurrentTime);
    XFlush(display_);
  }
  return press;
}

bool StopKey::IsRawPress(XEvent& event) {
  if (!raw_ || event.type != GenericEvent || event.xcookie.extension != raw_opcode_) return false;
  if (!XGetEventData(display_, &event.xcookie)) return false;
  const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
  bool press = false;
  if (event.xcookie.evtype == XI_RawKeyPress) {
    press = raw_->Press(raw->sourceid, static_cast<unsigned>(raw->detail)) && !(raw->flags & XIKeyRepeat);
  } else if (event.xcookie.evtype == XI_RawKeyRelease) {
    raw_->Release(raw->sourceid, static_cast<unsigned>(raw->detail));
  }
  XFreeEventData(display_, &event.xcookie);
  return press;
}

bool StopKey::IsGrabbedPress(const XEvent& event) const {
  if (event.type != KeyPress) return false;
  constexpr unsigned kButtons = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
  return static_cast<int>(event.xkey.keycode) == keycode_ && (event.xkey.state & ~(ignored_ | kButtons)) == modifiers_;
}

}  // namespace dx::x11
