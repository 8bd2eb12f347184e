// A stop-key combination as the driver presses and probes it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/input.h"
#include "texts/key_combination.h"

namespace dxe {

struct Combo {
  UINT mods;  // MOD_ALT | MOD_CONTROL | MOD_SHIFT bits
  WORD vk;
};

inline constexpr Combo kDefaultStop{MOD_ALT | MOD_CONTROL | MOD_SHIFT, VK_F12};

// The combination as the program names it, e.g. "Ctrl+Alt+Shift+F12".
inline std::string ComboName(Combo c) { return dx::CombinationName(c.mods, c.vk); }

// Presses the modifiers, then the key, and lets go of all of them.
inline void PressCombo(Combo c) {
  std::vector<WORD> keys;
  if (c.mods & MOD_CONTROL) keys.push_back(VK_CONTROL);
  if (c.mods & MOD_ALT) keys.push_back(VK_MENU);
  if (c.mods & MOD_SHIFT) keys.push_back(VK_SHIFT);
  keys.push_back(c.vk);
  PressKeys(keys);
}

// Whether some program holds the combination as a hot key: the driver's
// own registration of it fails then (and is undone at once when it works).
inline bool ComboTaken(Combo c) {
  constexpr int kProbeId = 0x7A00;
  if (!RegisterHotKey(nullptr, kProbeId, c.mods, c.vk)) return true;
  UnregisterHotKey(nullptr, kProbeId);
  return false;
}

}  // namespace dxe
