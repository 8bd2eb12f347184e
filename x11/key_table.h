// Windows virtual-key codes and the X keysyms they stand for, in one table
// read both ways: a KEY line's code becomes a keysym (then the keycode of
// the keyboard map in force), and a captured key's keysym becomes the code
// a script stores.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace dx::x11 {

struct KeyRow {
  uint8_t vk;
  uint32_t keysym;
};

std::span<const KeyRow> KeyTable();

std::optional<uint32_t> KeysymOfVirtualKey(uint8_t vk);
// The code a capture stores, as the Windows program records a key pressed in
// a slot: Shift, Ctrl and Alt of either side as their generic codes (10, 11,
// 12).
std::optional<uint8_t> VirtualKeyOfKeysym(uint32_t keysym);

}  // namespace dx::x11
