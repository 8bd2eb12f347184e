#include "x11/button_delivery.h"

#include <X11/Xlib.h>

#include <ctime>

namespace dx::x11 {
namespace {

// Between two queries while the pointer is frozen: the window manager
// needs the server more than this loop does.
constexpr long kRetryNanoseconds = 200'000;

bool ButtonShows(Display* display, unsigned button, bool down) {
  Window root = 0, child = 0;
  int root_x = 0, root_y = 0, x = 0, y = 0;
  unsigned mask = 0;
  // A round trip: the server handles the XTest request before this one.
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &root_x, &root_y, &x, &y, &mask);
  return ((mask & (Button1Mask << (button - 1))) != 0) == down;
}

long long NowNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

bool WaitForButtonState(Display* display, unsigned button, bool down, int timeout_ms) {
  if (button < 1 || button > 5) return true;  // the core mask has no bit for it
  const long long deadline = NowNanoseconds() + static_cast<long long>(timeout_ms) * 1'000'000;
  while (!ButtonShows(display, button, down)) {
    if (NowNanoseconds() >= deadline) return false;
    const timespec pause{0, kRetryNanoseconds};
    nanosleep(&pause, nullptr);
  }
  return true;
}

}  // namespace dx::x11
