// What reaches an X11 run: the stop key's presses on the X connection and
// the stop signals' bytes on their pipe.
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
  EventLoop(Display* display, const x11::StopKey& stop_key) : display_(display), stop_key_(stop_key) {}

  // Handles every event that has arrived, first waiting up to wait_ms for
  // one (0: no wait). True once a stop was asked for.
  bool Deliver(uint64_t wait_ms) override;

 private:
  void HandleQueued();

  Display* display_;
  const x11::StopKey& stop_key_;
  bool stop_ = false;
};

}  // namespace dx
