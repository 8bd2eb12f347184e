#include "wayland/keymap.h"

#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <memory>

#include "keylayout/layout_assignment.h"

namespace dx::wayland {
namespace {

struct ContextFree {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapFree {
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};

// XKB numbers a key evdev code + 8.
constexpr uint32_t kEvdevOffset = 8;

}  // namespace

std::optional<BuiltKeymap> BuildKeymap(const KeymapSource& source) {
  // The user's XKB_DEFAULT_* variables must not change what a script types.
  const std::unique_ptr<xkb_context, ContextFree> context(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
  if (!context) return std::nullopt;
  const xkb_rule_names names{"evdev", "pc105", source.xkb_layout.c_str(), "", ""};
  const std::unique_ptr<xkb_keymap, KeymapFree> map(
      xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
  if (!map) return std::nullopt;
  // Written out whole, so that the compositor and its clients get a map
  // without includes.
  char* text = xkb_keymap_get_as_string(map.get(), XKB_KEYMAP_FORMAT_TEXT_V1);
  if (text == nullptr) return std::nullopt;
  BuiltKeymap built;
  built.text = text;
  std::free(text);
  const keylayout::LayoutAssignment assignment(source.xkb_layout);
  for (unsigned vk = 1; vk < built.keycode_of_vk.size(); ++vk) {
    const auto position = assignment.PositionOf(static_cast<uint8_t>(vk));
    if (!position) continue;
    const uint32_t keycode = *position + kEvdevOffset;
    if (keycode <= xkb_keymap_max_keycode(map.get())) built.keycode_of_vk[vk] = keycode;
  }
  return built;
}

}  // namespace dx::wayland
