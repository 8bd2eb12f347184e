#include "x11/keyboard_map.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace dx::x11 {
namespace {

constexpr unsigned kEvdevOffset = 8;  // X keycode = evdev code + 8 under the evdev rules
constexpr int kRulesNamesLayoutField = 2;  // rules, model, layout, variant, options

// A key with fewer groups than the active one types its first group's
// symbols (the server wraps the group; nearly every such key has one).
KeySym KeysymAt(Display* display, unsigned keycode, int group, int level) {
  const auto key = static_cast<KeyCode>(keycode);
  const KeySym keysym = XkbKeycodeToKeysym(display, key, group, level);
  return keysym == NoSymbol && group > 0 ? XkbKeycodeToKeysym(display, key, 0, level) : keysym;
}

std::vector<std::string> RulesNamesFields(Display* display) {
  std::vector<std::string> fields;
  const Atom atom = XInternAtom(display, "_XKB_RULES_NAMES", True);
  if (atom == None) return fields;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 1024, False, XA_STRING, &type, &format,
                         &count, &after, &data) == Success &&
      data != nullptr && format == 8) {
    const std::string_view text(reinterpret_cast<const char*>(data), count);
    for (std::size_t at = 0; at <= text.size();) {
      const std::size_t end = std::min(text.find('\0', at), text.size());
      fields.emplace_back(text.substr(at, end - at));
      at = end + 1;
    }
  }
  if (data != nullptr) XFree(data);
  return fields;
}

// "us,de" with group 1 active gives "de"; no rules names, or fewer layouts
// than groups, give the first or "us".
std::string LayoutOfGroup(Display* display, int group) {
  const std::vector<std::string> fields = RulesNamesFields(display);
  if (fields.size() <= kRulesNamesLayoutField) return "us";
  std::vector<std::string> layouts;
  const std::string& list = fields[kRulesNamesLayoutField];
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    layouts.push_back(list.substr(at, comma - at));
    at = comma + 1;
  }
  std::string name = layouts[static_cast<std::size_t>(group) < layouts.size() ? group : 0];
  name = name.substr(0, name.find('('));  // "de(nodeadkeys)": the variant keeps its layout's codes
  return name.empty() ? "us" : name;
}

char LatinLetterAt(Display* display, keylayout::KeyPosition position, int group) {
  const KeySym keysym = KeysymAt(display, position + kEvdevOffset, group, 0);
  return keysym >= XK_a && keysym <= XK_z ? static_cast<char>(keysym) : 0;
}

std::string NameOf(KeySym keysym) {
  const char* name = XKeysymToString(keysym);
  return name != nullptr ? name : "NoSymbol";
}

}  // namespace

ActiveLayout ReadActiveLayout(Display* display) {
  XkbStateRec state{};
  XkbGetState(display, XkbUseCoreKbd, &state);
  ActiveLayout layout;
  layout.group = state.group;
  const unsigned num_lock = XkbKeysymToModifiers(display, XK_Num_Lock);
  layout.num_lock = num_lock != 0 && (state.mods & num_lock) == num_lock;
  layout.assignment = keylayout::LayoutAssignment(LayoutOfGroup(display, state.group));
  layout.assignment.FollowLetterLabels(
      [&](keylayout::KeyPosition position) { return LatinLetterAt(display, position, layout.group); });
  return layout;
}

KeycodeLookup KeycodeOfVirtualKey(Display* display, const ActiveLayout& layout, uint16_t vk) {
  const auto position = vk <= 0xFF ? layout.assignment.PositionOf(static_cast<uint8_t>(vk)) : std::nullopt;
  if (!position) return {};
  int min_keycode = 0, max_keycode = 0;
  XDisplayKeycodes(display, &min_keycode, &max_keycode);
  const unsigned keycode = *position + kEvdevOffset;
  if (static_cast<int>(keycode) < min_keycode || static_cast<int>(keycode) > max_keycode) return {0, true};
  // A keycode without symbols types nothing: no key of this keyboard map.
  if (KeysymAt(display, keycode, layout.group, 0) == NoSymbol) return {0, true};
  return {keycode, true};
}

KeycodeLookup KeycodeOfVirtualKey(Display* display, uint16_t vk) {
  return KeycodeOfVirtualKey(display, ReadActiveLayout(display), vk);
}

std::optional<uint8_t> VirtualKeyOfKeycode(Display* display, unsigned keycode, std::string& keysym_name) {
  const ActiveLayout layout = ReadActiveLayout(display);
  if (keycode >= kEvdevOffset) {
    const auto position = static_cast<keylayout::KeyPosition>(keycode - kEvdevOffset);
    if (const auto vk = layout.assignment.VirtualKeyAt(position, layout.num_lock)) return keylayout::SlotCode(*vk);
  }
  keysym_name = NameOf(KeysymAt(display, keycode, layout.group, 0));
  return std::nullopt;
}

}  // namespace dx::x11
