// Virtual-key codes on the X server's active keyboard layout: the key a
// code presses there, and the code of a pressed key, as a Windows PC with
// that layout assigns them (keylayout/). The layout is the one of the
// active group, named by the XKB rules names; keys are X keycodes, evdev
// code + 8 as the usual XKB rules number them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "keylayout/layout_assignment.h"

using Display = struct _XDisplay;

namespace dx::x11 {

struct ActiveLayout {
  keylayout::LayoutAssignment assignment{"us"};
  int group = 0;
  bool num_lock = false;
};

// Two round trips: the keyboard's state and the rules names.
ActiveLayout ReadActiveLayout(Display* display);

struct KeycodeLookup {
  unsigned keycode = 0;        // 0: the keyboard map has no key there
  bool layout_has_key = false;  // false: the layout has no key for the code
};

KeycodeLookup KeycodeOfVirtualKey(Display* display, const ActiveLayout& layout, uint16_t vk);
KeycodeLookup KeycodeOfVirtualKey(Display* display, uint16_t vk);

// The code a key slot stores for the key (keylayout::SlotCode); nothing,
// with `keysym_name` naming what the key types, for a key without one.
std::optional<uint8_t> VirtualKeyOfKeycode(Display* display, unsigned keycode, std::string& keysym_name);

}  // namespace dx::x11
