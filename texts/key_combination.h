// A key combination as a user reads it, e.g. "Ctrl+Alt+Shift+F12". Portable:
// the modifier bits and key codes are the system's, spelled out here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dx {

// The modifier bits of a hot-key registration (ui/stop_key.cpp checks them
// against the system's).
inline constexpr unsigned kModifierAlt = 0x1;
inline constexpr unsigned kModifierControl = 0x2;
inline constexpr unsigned kModifierShift = 0x4;

// The stop key every host starts with: Ctrl+Alt+Shift+F12 (virtual-key code
// 7B).
inline constexpr uint16_t kDefaultStopKey = 0x7B;
inline constexpr unsigned kDefaultStopModifiers = kModifierAlt | kModifierControl | kModifierShift;

// F1 to F24, 0 to 9 and A to Z are named here; any other key by
// `layoutKeyName` (the keyboard layout's name for it), else by its code.
std::string CombinationName(unsigned modifiers, uint16_t key, std::string_view layoutKeyName = {});

struct KeyCombination {
  unsigned modifiers = 0;
  uint16_t key = 0;
  bool operator==(const KeyCombination&) const = default;
};

// The combination a user writes, e.g. "ctrl+alt+F11": modifiers Ctrl (or
// Control), Alt and Shift in any order and any case, joined by '+', then a
// key that CombinationName names by itself (F1 to F24, 0 to 9, A to Z).
// Nothing for any other text, a repeated modifier or a missing key.
std::optional<KeyCombination> ParseCombination(std::string_view text);

}  // namespace dx
