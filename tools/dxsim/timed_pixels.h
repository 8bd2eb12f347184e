// The simulated screen with pixels that change during the run
// (--pixel-at MS:X,Y=COLOUR), so that a script that waits for a colour can
// be tried: a change shows from the first read at or after its time.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "sim/sim_platform.h"
#include "tools/dxsim/dxsim_options.h"

namespace dx {

class TimedPixelPlatform final : public SimPlatform {
 public:
  TimedPixelPlatform(SimLog& log, std::vector<TimedPixel> changes, uint64_t run_start)
      : SimPlatform(log), changes_(std::move(changes)), run_start_(run_start), last_tick_(run_start) {
    // The later change of a pixel wins.
    std::stable_sort(changes_.begin(), changes_.end(),
                     [](const TimedPixel& a, const TimedPixel& b) { return a.after_ms < b.after_ms; });
  }

  // The time is the clock's last reading: a read costs a tick, so the
  // screen may not look at it.
  uint64_t TickCount() override {
    last_tick_ = SimPlatform::TickCount();
    return last_tick_;
  }

  uint32_t ReadScreenPixel(int32_t x, int32_t y) override {
    for (const TimedPixel& change : changes_) {
      if (last_tick_ >= run_start_ + change.after_ms) SetPixel(change.pixel.x, change.pixel.y, change.pixel.colour);
    }
    return SimPlatform::ReadScreenPixel(x, y);
  }

 private:
  std::vector<TimedPixel> changes_;
  uint64_t run_start_;
  uint64_t last_tick_;
};

}  // namespace dx
