// What reaches dxplay during a run, whichever desktop it plays on: the
// stop signals, and the display connection's events (a stop key, a
// compositor that went away).
#pragma once

#include <cstdint>

namespace dx {

class RunEvents {
 public:
  virtual ~RunEvents() = default;
  // Handles every event that has arrived, first waiting up to wait_ms for
  // one (0: no wait). True once a stop was asked for.
  virtual bool Deliver(uint64_t wait_ms) = 0;
};

}  // namespace dx
