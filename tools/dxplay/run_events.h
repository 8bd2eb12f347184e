// What reaches dxplay during a run, whichever desktop it plays on: the
// stop signals, and the display connection's events (a stop key, the
// target window's end, a compositor that went away).
#pragma once

#include <cstdint>

namespace dx {

class RunEvents {
 public:
  virtual ~RunEvents() = default;
  // Handles every event that has arrived, first waiting up to wait_ms for
  // one (0: no wait). True once the run must end.
  virtual bool Deliver(uint64_t wait_ms) = 0;
  // True once the stop key was pressed (a desktop without one never is).
  virtual bool StopKeyPressed() const { return false; }
  // True once the target window closed (where the target is watched).
  virtual bool TargetClosed() const { return false; }
};

}  // namespace dx
