// The operating-system calls of a run on the X11 desktop: input through the
// XTest extension, pixels read from the root window, the X bell and a
// monotonic clock.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "engine/host.h"
#include "engine/keyboard_keys.h"
#include "x11/key_repeat.h"
#include "x11/keyboard_map.h"
#include "x11/monitor.h"

using Display = struct _XDisplay;

namespace dx::x11 {

class X11EnginePlatform final : public EnginePlatform {
 public:
  // The primary monitor is read once: a run plays on the layout it started on.
  explicit X11EnginePlatform(Display* display);

  // Throws ScriptError for a key code the active layout has no key for, or
  // whose key the keyboard map lacks.
  bool SendInput(const InputRecord& record) override;
  // Reads the active layout for the KEY line about to be sent (X plays the
  // key by its keycode; the scan code only fills the record).
  uint16_t KeyScanCode(uint8_t vk) override;
  // X gives every client the same rights over input.
  bool HasHigherRights(uint32_t) override { return false; }
  int ScreenWidth() override { return monitor_.width; }
  int ScreenHeight() override { return monitor_.height; }
  uint32_t ReadScreenPixel(int32_t x, int32_t y) override;
  uint64_t TickCount() override;
  void Beep() override;
  // dxplay has no window of its own.
  void MakeMainWindowNotTopmost() override {}
  // Handle 0 names no window: nothing is brought to the front.
  void SetForegroundWindow(uint32_t handle) override;
  // A millisecond clock: a wait for its next tick would only cost time.
  bool ZeroDelayWaitsForTick() override { return false; }

  // Called when the target did not take the focus in time.
  void OnFocusRefused(std::function<void()> handler) { focus_refused_ = std::move(handler); }

 private:
  bool SendMouse(const InputRecord& record);
  bool SendKey(const InputRecord& record);
  void SendButton(unsigned x_button, bool down);
  const ActiveLayout& LayoutOfThisLine();

  Display* display_;
  MonitorRect monitor_;
  // The keycode each code went down with: its release uses the same key
  // even when the keyboard map changed meanwhile.
  std::array<uint8_t, 256> pressed_keycodes_{};
  HeldKeyRepeat key_repeat_;
  // Read once a KEY line: a group switched between lines takes effect at
  // the next one.
  std::optional<ActiveLayout> layout_;
  std::function<void()> focus_refused_;
};

// Milliseconds of CLOCK_MONOTONIC.
uint64_t MonotonicMilliseconds();

}  // namespace dx::x11
