#include "wayland/keymap.h"

#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace dx::wayland {
namespace {

struct ContextFree {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapFree {
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};
using ContextPtr = std::unique_ptr<xkb_context, ContextFree>;
using KeymapPtr = std::unique_ptr<xkb_keymap, KeymapFree>;

constexpr xkb_keycode_t kFirstKeycode = 8;
constexpr xkb_keycode_t kLastKeycode = 255;

// Which real modifier each modifier keysym sets, as the usual maps have it.
struct ModifierRow {
  const char* modifier;
  xkb_keysym_t keysym;
};
constexpr ModifierRow kModifiers[] = {
    {"Shift", XKB_KEY_Shift_L},   {"Shift", XKB_KEY_Shift_R}, {"Lock", XKB_KEY_Caps_Lock},
    {"Control", XKB_KEY_Control_L}, {"Control", XKB_KEY_Control_R}, {"Mod1", XKB_KEY_Alt_L},
    {"Mod1", XKB_KEY_Alt_R},      {"Mod1", XKB_KEY_Meta_L},  {"Mod2", XKB_KEY_Num_Lock},
    {"Mod4", XKB_KEY_Super_L},    {"Mod4", XKB_KEY_Super_R},
};

std::string KeysymName(xkb_keysym_t keysym) {
  char name[64];
  if (xkb_keysym_get_name(keysym, name, sizeof name) < 0) return "NoSymbol";
  return name;
}

// The levels of a key in the first layout of a map.
std::vector<xkb_keysym_t> Levels(xkb_keymap* map, xkb_keycode_t keycode) {
  std::vector<xkb_keysym_t> levels;
  const xkb_level_index_t count = xkb_keymap_num_levels_for_key(map, keycode, 0);
  for (xkb_level_index_t level = 0; level < count; ++level) {
    const xkb_keysym_t* syms = nullptr;
    const int n = xkb_keymap_key_get_syms_by_level(map, keycode, 0, level, &syms);
    levels.push_back(n > 0 ? syms[0] : XKB_KEY_NoSymbol);
  }
  return levels;
}

struct Key {
  xkb_keycode_t keycode;
  std::vector<xkb_keysym_t> levels;
};

// Each row's keysym on its reference key, else on a keycode that no placed
// key uses (the map holds only the table's keys, so a keycode of a
// reference key outside the table is free).
std::map<xkb_keysym_t, Key> PlaceKeysyms(const KeymapSource& source, xkb_keymap* reference) {
  std::map<xkb_keysym_t, xkb_keycode_t> reference_key;
  for (xkb_keycode_t k = kFirstKeycode; k <= kLastKeycode; ++k) {
    const auto levels = Levels(reference, k);
    if (!levels.empty() && levels[0] != XKB_KEY_NoSymbol) reference_key.emplace(levels[0], k);
  }
  std::map<xkb_keysym_t, Key> keys;
  std::set<xkb_keycode_t> used;
  for (const x11::KeyRow& row : source.rows) {
    const auto it = reference_key.find(row.keysym);
    if (it == reference_key.end() || keys.count(row.keysym)) continue;
    keys.emplace(row.keysym, Key{it->second, Levels(reference, it->second)});
    used.insert(it->second);
  }
  xkb_keycode_t spare = kLastKeycode;
  for (const x11::KeyRow& row : source.rows) {
    if (keys.count(row.keysym)) continue;
    while (used.count(spare)) --spare;
    used.insert(spare);
    keys.emplace(row.keysym, Key{spare, {row.keysym}});
  }
  return keys;
}

std::string KeymapText(const std::map<xkb_keysym_t, Key>& keys) {
  std::string keycodes, symbols;
  for (const auto& [keysym, key] : keys) {
    const std::string name = "<K" + std::to_string(key.keycode) + ">";
    keycodes += "    " + name + " = " + std::to_string(key.keycode) + ";\n";
    symbols += "    key " + name + " { [";
    for (std::size_t i = 0; i < key.levels.size(); ++i) symbols += (i ? ", " : " ") + KeysymName(key.levels[i]);
    symbols += " ] };\n";
  }
  for (const ModifierRow& m : kModifiers) {
    if (keys.count(m.keysym)) symbols += "    modifier_map " + std::string(m.modifier) + " { " + KeysymName(m.keysym) + " };\n";
  }
  return "xkb_keymap {\n  xkb_keycodes \"dxplay\" {\n    minimum = 8;\n    maximum = 255;\n" + keycodes +
         "  };\n  xkb_types \"dxplay\" { include \"complete\" };\n"
         "  xkb_compat \"dxplay\" { include \"complete\" };\n  xkb_symbols \"dxplay\" {\n" +
         symbols + "  };\n};\n";
}

}  // namespace

KeymapSource UsKeymapSource() { return {x11::KeyTable(), "us"}; }

std::optional<BuiltKeymap> BuildKeymap(const KeymapSource& source) {
  // The user's XKB_DEFAULT_* variables must not change what a script types.
  const ContextPtr context(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
  if (!context) return std::nullopt;
  const xkb_rule_names names{"evdev", "pc105", source.xkb_layout.c_str(), "", ""};
  const KeymapPtr reference(xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
  if (!reference) return std::nullopt;
  const auto keys = PlaceKeysyms(source, reference.get());
  const std::string text = KeymapText(keys);
  // Compiled here and written out again, so that the compositor and its
  // clients get a map without includes.
  const KeymapPtr built(
      xkb_keymap_new_from_string(context.get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
  if (!built) return std::nullopt;
  char* flat = xkb_keymap_get_as_string(built.get(), XKB_KEYMAP_FORMAT_TEXT_V1);
  if (flat == nullptr) return std::nullopt;
  BuiltKeymap result;
  result.text = flat;
  std::free(flat);
  for (const x11::KeyRow& row : source.rows) result.keycode_of_vk[row.vk] = keys.at(row.keysym).keycode;
  return result;
}

}  // namespace dx::wayland
