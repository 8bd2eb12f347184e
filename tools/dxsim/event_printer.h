// Prints a simulated run's events one per line, condensing waits: a stretch
// of three or more consecutive DeliverMessages / TickCount events becomes
// one line "Wait deliveries=D tick-reads=T ticks=FIRST..LAST", so that a
// long DELAY prints one line instead of one per iteration. Each input
// record is followed by what it means in words (RecordLabel: "; move
// 100,200", "; left down", "; key 0D up").
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/record_label.h"
#include "sim/sim_log.h"

namespace dx {

class EventPrinter {
 public:
  // The screen size turns an absolute move back into pixels.
  EventPrinter(std::ostream& out, int screen_width, int screen_height)
      : out_(out), screen_width_(screen_width), screen_height_(screen_height) {}

  void Print(const SimEvent& event);
  // Writes out a pending wait; call before printing anything else.
  void Flush();

 private:
  static bool IsWaitEvent(const SimEvent& event);

  std::ostream& out_;
  int screen_width_;
  int screen_height_;
  std::vector<SimEvent> pending_;  // the first events of the current stretch
  int64_t deliveries_ = 0;
  int64_t tick_reads_ = 0;
  uint64_t first_tick_ = 0;
  uint64_t last_tick_ = 0;
};

}  // namespace dx
