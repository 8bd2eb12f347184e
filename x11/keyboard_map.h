// The key table against the keyboard map in force: a virtual-key code to
// the keycode that types its keysym, and a pressed keycode back to a code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

using Display = struct _XDisplay;

namespace dx::x11 {

struct KeycodeLookup {
  unsigned keycode = 0;  // 0: none
  std::string keysym_name;  // the table's keysym, "" when the code has no row
};

KeycodeLookup KeycodeOfVirtualKey(Display* display, uint16_t vk);

// The first keysym of the key (unshifted first) that has a row; nothing
// with `keysym_name` naming the key's own keysym otherwise.
std::optional<uint8_t> VirtualKeyOfKeycode(Display* display, unsigned keycode, std::string& keysym_name);

}  // namespace dx::x11
