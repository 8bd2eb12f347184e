// What a real keyboard sends for a virtual-key code: whether the key's scan
// code comes with the extended prefix (0xE0), and its scan code on a US
// keyboard, for hosts that have no keyboard layout of their own to ask.
#pragma once

#include <cstdint>
#include <span>

namespace dx {

struct KeyboardKey {
  uint8_t vk;
  uint8_t us_scan;  // set 1 make code without the 0xE0 prefix
  bool extended;
};

// Every key the US table knows, one row per virtual-key code.
std::span<const KeyboardKey> KeyboardKeys();

// True for the keys a real keyboard sends with the extended prefix: the
// arrows, Insert, Delete, Home, End, Page Up, Page Down, right Ctrl and
// Alt, Num Lock, Divide, Print Screen, Break, the Windows, application and
// sleep keys, and the browser and media keys.
bool IsExtendedKey(uint8_t vk);

// The scan code of the key on a US keyboard; 0 where it has none.
uint16_t UsLayoutScanCode(uint8_t vk);

}  // namespace dx
