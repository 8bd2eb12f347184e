// The keyboard map dxplay uploads to its virtual keyboard, and the key each
// virtual-key code presses on it: the keys of a PC keyboard as XKB's evdev
// rules lay out the named layout, each code on the key a Windows PC with
// that layout gives it (keylayout/). The map is dxplay's own, so every key
// a script can name exists whatever map the user has.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace dx::wayland {

// The layout the map is built for. A client cannot read the compositor's
// active layout, so it is US until one is named here.
struct KeymapSource {
  std::string xkb_layout = "us";
};

struct BuiltKeymap {
  std::string text;  // XKB text v1, self-contained (no includes)
  // The XKB keycode (evdev code + 8) of each virtual-key code, 0 for none.
  std::array<uint32_t, 256> keycode_of_vk{};
};

// Nothing when XKB cannot compile the map (no XKB data on the machine).
std::optional<BuiltKeymap> BuildKeymap(const KeymapSource& source);

}  // namespace dx::wayland
