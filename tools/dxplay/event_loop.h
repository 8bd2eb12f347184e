// What reaches dxplay during a run: the stop key's presses and the end of
// the target window on the X connection, and the stop signals' bytes on
// their pipe.
#pragma once

#include <cstdint>

#include "tools/dxplay/run_events.h"

using Display = struct _XDisplay;

namespace dx {

namespace x11 {
class StopKey;
}

class EventLoop final : public RunEvents {
 public:
  EventLoop(Display* display, x11::StopKey& stop_key) : display_(display), stop_key_(stop_key) {}

  // From now on the destruction or unmapping of `window` ends the run (once
  // unmapped it holds no focus, and keys would go to another window); a
  // window that is gone already counts as closed.
  void WatchTarget(uint32_t window);

  // Handles every event that has arrived, first waiting up to wait_ms for
  // one (0: no wait). True once the run must end: a stop was asked for or
  // the target window closed.
  bool Deliver(uint64_t wait_ms) override;

  bool StopKeyPressed() const override { return stop_key_pressed_; }
  bool TargetClosed() const override { return target_closed_; }

 private:
  bool MustEnd() const;
  void HandleQueued();

  Display* display_;
  x11::StopKey& stop_key_;
  uint32_t target_ = 0;
  bool stop_key_pressed_ = false;
  bool target_closed_ = false;
};

}  // namespace dx
