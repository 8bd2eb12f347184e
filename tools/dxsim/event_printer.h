// Prints a simulated run's events one per line, condensing waits: a stretch
// of three or more consecutive DeliverMessages / TickCount events becomes
// one line "Wait deliveries=D tick-reads=T ticks=FIRST..LAST", so that a
// long DELAY prints one line instead of one per iteration.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "sim/sim_log.h"

namespace dx {

class EventPrinter {
 public:
  explicit EventPrinter(std::ostream& out) : out_(out) {}

  void Print(const SimEvent& event);
  // Writes out a pending wait; call before printing anything else.
  void Flush();

 private:
  static bool IsWaitEvent(const SimEvent& event);

  std::ostream& out_;
  std::vector<SimEvent> pending_;  // the first events of the current stretch
  int64_t deliveries_ = 0;
  int64_t tick_reads_ = 0;
  uint64_t first_tick_ = 0;
  uint64_t last_tick_ = 0;
};

}  // namespace dx
