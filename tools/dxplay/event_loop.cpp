#include "tools/dxplay/event_loop.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <climits>

#include "player/stop_signals.h"
#include "x11/stop_key.h"

namespace dx {

bool EventLoop::Deliver(uint64_t wait_ms) {
  // Flushes what the run sent and reads what has arrived, without blocking.
  if (XEventsQueued(display_, QueuedAfterFlush) == 0 && wait_ms > 0 && !stop_ && StopSignalNumber() == 0) {
    pollfd fds[] = {{ConnectionNumber(display_), POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
    poll(fds, 2, static_cast<int>(std::min<uint64_t>(wait_ms, INT_MAX)));
  }
  HandleQueued();
  return stop_ || StopSignalNumber() != 0;
}

void EventLoop::HandleQueued() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (stop_key_.IsPress(event)) stop_ = true;
    if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
  }
}

}  // namespace dx
