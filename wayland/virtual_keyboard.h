// The virtual keyboard of a run, with dxplay's own keyboard map. A key
// event does not change the compositor's modifier state, so the keyboard
// follows its map's state itself and sends the modifiers after every key
// that changes them. Its end releases the keys it holds.
#pragma once

#include <cstdint>
#include <vector>

#include "wayland/keymap.h"

struct zwp_virtual_keyboard_v1;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace dx::wayland {

class Connection;

class VirtualKeyboard {
 public:
  // Throws ScriptError when the map cannot be handed over.
  VirtualKeyboard(Connection& connection, const BuiltKeymap& keymap);
  ~VirtualKeyboard();
  VirtualKeyboard(const VirtualKeyboard&) = delete;
  VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

  // `keycode` is the map's XKB keycode.
  void Key(uint32_t keycode, bool down, uint32_t time);
  void ReleaseAll(uint32_t time);

 private:
  void SendModifiers();

  Connection& connection_;
  zwp_virtual_keyboard_v1* keyboard_;
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  xkb_state* state_ = nullptr;
  std::vector<uint32_t> down_;
  uint32_t sent_mods_[4] = {};
};

}  // namespace dx::wayland
