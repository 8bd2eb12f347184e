// The keyboard map dxplay uploads to its virtual keyboard, built from the
// key table, so that every key a script can name exists whatever map the
// user has: each table keysym on the key a reference XKB layout puts it on
// (its other levels too, so Shift gives what it gives on that layout), and
// on a spare keycode when that layout lacks it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "x11/key_table.h"

namespace dx::wayland {

// What the map is built from. Today the key table's US assignment with the
// "us" layout; a table of the Windows assignment per layout plugs in here,
// with the XKB layout whose levels the keys carry.
struct KeymapSource {
  std::span<const x11::KeyRow> rows;
  std::string xkb_layout = "us";
};

KeymapSource UsKeymapSource();

struct BuiltKeymap {
  std::string text;  // XKB text v1, self-contained (no includes)
  // The XKB keycode (evdev code + 8) of each virtual-key code, 0 for none.
  std::array<uint32_t, 256> keycode_of_vk{};
};

// Nothing when XKB cannot compile the map (no XKB data on the machine).
std::optional<BuiltKeymap> BuildKeymap(const KeymapSource& source);

}  // namespace dx::wayland
