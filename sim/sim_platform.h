// An in-memory platform for tests and the simulator: it records every
// operation in a SimLog, shows a screen of pixels (a default colour, an
// optional picture from the top-left corner, single-pixel overrides on top)
// and keeps a virtual 64-bit millisecond clock that advances by a fixed
// step on every read, so DELAY n takes about n / step iterations and
// nothing really waits.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "engine/host.h"
#include "sim/ppm_image.h"
#include "sim/sim_defaults.h"
#include "sim/sim_log.h"

namespace dx {

class SimPlatform : public EnginePlatform {
 public:
  explicit SimPlatform(SimLog& log) : log_(log) {}

  bool SendInput(const InputRecord& record) override;
  // The US table: the simulator has no keyboard layout.
  uint16_t KeyScanCode(uint8_t vk) override;
  bool HasHigherRights(uint32_t handle) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  uint32_t ReadScreenPixel(int32_t x, int32_t y) override;
  uint64_t TickCount() override;
  void Beep() override;
  void MakeMainWindowNotTopmost() override;
  void SetForegroundWindow(uint32_t handle) override;

  void SetScreenSize(int width, int height) {
    width_ = width;
    height_ = height;
  }
  void SetDefaultColour(uint32_t colour) { default_colour_ = colour; }
  void SetPixel(int32_t x, int32_t y, uint32_t colour) { pixels_[{x, y}] = colour; }
  void SetImage(RgbImage image) { image_ = std::move(image); }
  // Each read returns the clock and then advances it by `step`.
  void SetClock(uint64_t start, uint64_t step) {
    now_ = start;
    step_ = step;
  }
  // The n-th SendInput (1 for the first, 0 for none) inserts nothing, as a
  // locked desktop would refuse it.
  void RefuseInputAt(uint64_t n) { refuse_at_ = n; }
  // Tests may play a target that runs with higher rights.
  void SetTargetHasHigherRights(bool higher) { target_higher_ = higher; }

 private:
  SimLog& log_;
  int width_ = sim_defaults::kScreenWidth;
  int height_ = sim_defaults::kScreenHeight;
  uint32_t default_colour_ = 0;
  std::map<std::pair<int32_t, int32_t>, uint32_t> pixels_;
  std::optional<RgbImage> image_;
  uint64_t now_ = sim_defaults::kTickStart;
  uint64_t step_ = sim_defaults::kTickStep;
  uint64_t inputs_sent_ = 0;
  uint64_t refuse_at_ = 0;
  bool target_higher_ = false;
};

}  // namespace dx
