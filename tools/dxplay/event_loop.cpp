#include "tools/dxplay/event_loop.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <climits>

#include "player/stop_signals.h"
#include "x11/stop_key.h"
#include "x11/windows.h"

namespace dx {

void EventLoop::WatchTarget(uint32_t window) {
  target_ = window;
  if (window != 0 && !x11::WatchForDestruction(display_, window)) target_closed_ = true;
}

bool EventLoop::MustEnd() const { return stop_key_pressed_ || target_closed_ || StopSignalNumber() != 0; }

bool EventLoop::Deliver(uint64_t wait_ms) {
  // Flushes what the run sent and reads what has arrived, without blocking.
  if (XEventsQueued(display_, QueuedAfterFlush) == 0 && wait_ms > 0 && !MustEnd()) {
    pollfd fds[] = {{ConnectionNumber(display_), POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
    poll(fds, 2, static_cast<int>(std::min<uint64_t>(wait_ms, INT_MAX)));
  }
  HandleQueued();
  return MustEnd();
}

void EventLoop::HandleQueued() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (stop_key_.IsPress(event)) stop_key_pressed_ = true;
    if (target_ != 0 && x11::EndsWindow(event, target_)) target_closed_ = true;
    if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
  }
}

}  // namespace dx
