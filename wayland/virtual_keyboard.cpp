#include "wayland/virtual_keyboard.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>

#include "base/script_error.h"
#include "texts/wayland_texts.h"
#include "virtual-keyboard-unstable-v1-client.h"
#include "wayland/connection.h"

namespace dx::wayland {
namespace {

// The protocol counts keys as evdev codes, XKB as those plus 8.
constexpr uint32_t kEvdevOffset = 8;

// A sealed-off copy of the map for the compositor to map.
int KeymapFile(const std::string& text) {
  const int fd = memfd_create("dxplay-keymap", MFD_CLOEXEC);
  if (fd < 0) return -1;
  const char* at = text.c_str();
  std::size_t left = text.size() + 1;  // with its NUL, as the compositor reads a C string
  while (left > 0) {
    const ssize_t n = write(fd, at, left);
    if (n <= 0) {
      close(fd);
      return -1;
    }
    at += n;
    left -= static_cast<std::size_t>(n);
  }
  return fd;
}

}  // namespace

VirtualKeyboard::VirtualKeyboard(Connection& connection, const BuiltKeymap& keymap)
    : connection_(connection),
      keyboard_(zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(connection.Global().keyboard_manager,
                                                                        connection.Global().seat)) {
  context_ = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
  if (context_ != nullptr) {
    keymap_ = xkb_keymap_new_from_string(context_, keymap.text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                         XKB_KEYMAP_COMPILE_NO_FLAGS);
  }
  if (keymap_ != nullptr) state_ = xkb_state_new(keymap_);
  const int fd = state_ != nullptr ? KeymapFile(keymap.text) : -1;
  if (fd < 0) {
    zwp_virtual_keyboard_v1_destroy(keyboard_);
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
    throw ScriptError(std::string(wayland_texts::kKeymapFailedMessage));
  }
  zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                 static_cast<uint32_t>(keymap.text.size() + 1));
  connection_.Flush();
  close(fd);
}

VirtualKeyboard::~VirtualKeyboard() {
  ReleaseAll(0);
  zwp_virtual_keyboard_v1_destroy(keyboard_);
  connection_.Flush();
  xkb_state_unref(state_);
  xkb_keymap_unref(keymap_);
  xkb_context_unref(context_);
}

void VirtualKeyboard::Key(uint32_t keycode, bool down, uint32_t time) {
  const auto held = std::find(down_.begin(), down_.end(), keycode);
  if (down && held == down_.end()) down_.push_back(keycode);
  if (!down && held != down_.end()) down_.erase(held);
  zwp_virtual_keyboard_v1_key(keyboard_, time, keycode - kEvdevOffset,
                              down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
  xkb_state_update_key(state_, keycode, down ? XKB_KEY_DOWN : XKB_KEY_UP);
  SendModifiers();
}

void VirtualKeyboard::SendModifiers() {
  const uint32_t mods[4] = {xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
                            xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED),
                            xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED),
                            xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_EFFECTIVE)};
  if (std::equal(std::begin(mods), std::end(mods), std::begin(sent_mods_))) return;
  std::copy(std::begin(mods), std::end(mods), std::begin(sent_mods_));
  zwp_virtual_keyboard_v1_modifiers(keyboard_, mods[0], mods[1], mods[2], mods[3]);
}

void VirtualKeyboard::ReleaseAll(uint32_t time) {
  if (down_.empty()) return;
  while (!down_.empty()) Key(down_.back(), false, time);
  connection_.Flush();
}

}  // namespace dx::wayland
