// Waiting without fixed sleeps: the driver owns windows (the targets), so
// every wait keeps pumping its own messages while it polls a condition.
#pragma once

#include <functional>

namespace dxe {

// A millisecond clock with 1 ms steps (the tick counter steps by ~16 ms).
double NowMs();
// Delivers all pending messages of the driver's thread.
void Pump();
// Polls `done` (after pumping) until it is true or `timeout_ms` has passed.
bool WaitUntil(const std::function<bool()>& done, int timeout_ms);
// Pumps for `ms`: only for checking that something does NOT happen.
void PumpFor(int ms);

// Generous default: the CI machine has two slow cores.
constexpr int kTimeoutMs = 15000;
// A cold start of the program under Wine took 23 s while other builds ran.
constexpr int kStartTimeoutMs = 60000;

}  // namespace dxe
