// The virtual-key codes Windows layouts give the keys of a PC keyboard.
//
// A key is named by its position: its Linux input (evdev) code, which for
// the keys of the main block and the numeric pad is also its PC scan code
// (set 1, without the extended prefix). X servers number a key evdev code
// + 8 under the usual XKB rules, and Wayland keymaps do the same.
//
// Most keys get one code on every layout (Enter, the arrows, F1...). Only
// the 48 keys of the main block that carry letters, digits and punctuation
// differ: those are one row per layout, named as XKB names the layout.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace dx::keylayout {

using KeyPosition = uint16_t;

inline constexpr std::size_t kMainBlockKeys = 48;

// The main block in the order a layout row lists it: the key left of 1,
// the digit row (1 to 0 and the two right of it), the upper letter row
// (12), the home row (11), the key left of Enter on the home row or above
// it, the key right of left Shift, the lower row (10).
std::span<const KeyPosition, kMainBlockKeys> MainBlockPositions();

struct WindowsLayout {
  std::string_view xkb_names;  // blank-separated XKB layout names
  std::string_view windows_name;
  std::array<uint8_t, kMainBlockKeys> codes;  // in MainBlockPositions order
};

std::span<const WindowsLayout> WindowsLayouts();
// The layout an XKB layout name ("de", "fr") stands for; nullptr for a
// name without a row.
const WindowsLayout* FindWindowsLayout(std::string_view xkb_layout);
const WindowsLayout& UsLayout();

// A key every layout gives the same code. Pad keys give another code
// without Num Lock (Insert for pad 0, Clear for pad 5, ...).
struct FixedKey {
  KeyPosition position;
  uint8_t vk;
  uint8_t vk_without_num_lock;  // == vk for keys outside the pad
};
std::span<const FixedKey> FixedKeys();

// Codes that press a key whose own code is another one: the generic Shift,
// Ctrl and Alt press the left key, Clear the pad's 5. A captured key never
// gives them except as SlotCode makes it.
struct AliasCode {
  uint8_t vk;
  KeyPosition position;
};
std::span<const AliasCode> AliasCodes();

// Keys whose code presses another key: the pad's Enter gives Enter, which
// a script presses as the main Enter.
std::span<const FixedKey> KeysOfSharedCodes();

}  // namespace dx::keylayout
