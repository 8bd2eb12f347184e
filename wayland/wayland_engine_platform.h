// The operating-system calls of a run on a wlroots compositor: a virtual
// pointer and keyboard, screencopy for pixels, the monotonic clock. Script
// coordinates count from the primary output's top-left in logical pixels;
// the pointer's absolute motion spans the whole layout, so a point on any
// output (left of the primary too) is reached exactly.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "engine/host.h"
#include "engine/keyboard_keys.h"
#include "wayland/keymap.h"
#include "wayland/layout.h"
#include "wayland/screencopy.h"
#include "wayland/virtual_keyboard.h"
#include "wayland/virtual_pointer.h"

namespace dx::wayland {

class Connection;

class WaylandEnginePlatform final : public EnginePlatform {
 public:
  // The layout is read once: a run plays on the layout it started on.
  // Throws ScriptError when the keyboard map cannot be handed over.
  WaylandEnginePlatform(Connection& connection, const OutputInfo& primary, const BuiltKeymap& keymap);
  // Releases what the run still holds, buttons first.
  ~WaylandEnginePlatform() override;

  // Throws ScriptError for a key code without a key in the map.
  bool SendInput(const InputRecord& record) override;
  uint16_t KeyScanCode(uint8_t vk) override { return UsLayoutScanCode(vk); }
  // Every client of the compositor reaches every window alike.
  bool HasHigherRights(uint32_t) override { return false; }
  int ScreenWidth() override { return primary_.width; }
  int ScreenHeight() override { return primary_.height; }
  // Throws ScriptError when the compositor offers no screencopy or cannot copy.
  uint32_t ReadScreenPixel(int32_t x, int32_t y) override;
  uint64_t TickCount() override;
  // Wayland has no bell a client can ring; the terminal's is rung.
  void Beep() override;
  void MakeMainWindowNotTopmost() override {}
  // Handle 0 names no window.
  void SetForegroundWindow(uint32_t handle) override;

  void OnBringToFront(std::function<void(uint32_t)> handler) { bring_to_front_ = std::move(handler); }
  void ReleaseAll();

 private:
  bool SendMouse(const InputRecord& record);
  bool SendKey(const InputRecord& record);
  uint32_t Time() { return static_cast<uint32_t>(TickCount()); }

  Connection& connection_;
  OutputInfo primary_;
  std::vector<OutputInfo> outputs_;
  LayoutBox box_;
  std::array<uint32_t, 256> keycode_of_vk_;
  bool seat_lacked_devices_;
  VirtualPointer pointer_;
  VirtualKeyboard keyboard_;
  std::optional<Screencopy> screencopy_;
  std::function<void(uint32_t)> bring_to_front_;
};

}  // namespace dx::wayland
