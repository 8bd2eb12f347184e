#include "x11/keyboard_map.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include "x11/key_table.h"

namespace dx::x11 {
namespace {

constexpr int kLevels = 4;

std::string NameOf(KeySym keysym) {
  const char* name = XKeysymToString(keysym);
  return name != nullptr ? name : "NoSymbol";
}

}  // namespace

KeycodeLookup KeycodeOfVirtualKey(Display* display, uint16_t vk) {
  const auto keysym = vk <= 0xFF ? KeysymOfVirtualKey(static_cast<uint8_t>(vk)) : std::nullopt;
  if (!keysym) return {};
  return {XKeysymToKeycode(display, *keysym), NameOf(*keysym)};
}

std::optional<uint8_t> VirtualKeyOfKeycode(Display* display, unsigned keycode, std::string& keysym_name) {
  for (int level = 0; level < kLevels; ++level) {
    const KeySym keysym = XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), 0, level);
    if (keysym == NoSymbol) continue;
    if (const auto vk = VirtualKeyOfKeysym(static_cast<uint32_t>(keysym))) return vk;
  }
  keysym_name = NameOf(XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), 0, 0));
  return std::nullopt;
}

}  // namespace dx::x11
