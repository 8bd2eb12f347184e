#include "x11/grab.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <bitset>
#include <cerrno>
#include <functional>

namespace dx::x11 {
namespace {

// Delivers events to `handle` until it returns true; false when woken.
bool EventsUntil(Display* display, int wake_fd, const std::function<bool(const XEvent&)>& handle) {
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (handle(event)) return true;
    }
    pollfd fds[] = {{ConnectionNumber(display), POLLIN, 0}, {wake_fd, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0 && errno != EINTR) return false;
    if (fds[1].revents != 0) return false;
  }
}

// A grab is refused while another client holds one (a menu open, the
// terminal's own selection); that passes, so ask again for a while.
template <typename TryGrab>
bool Grab(TryGrab try_grab) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (try_grab() == GrabSuccess) return true;
    poll(nullptr, 0, 10);
  }
  return false;
}

// What a capture's grab has seen pressed: the grab lasts until every key or
// button pressed during it is up again, so that no release of a second one
// reaches the window underneath. Ids are keycodes (0-255) or buttons.
class PressesDuringGrab {
 public:
  // True for the first press: the one the capture stores.
  bool Press(unsigned id) {
    const bool first = !seen_;
    seen_ = true;
    down_.set(id & 0xFF);
    return first;
  }
  // True once the release leaves nothing pressed during the grab down.
  bool ReleaseEndsGrab(unsigned id) {
    down_.reset(id & 0xFF);
    return seen_ && down_.none();
  }

 private:
  bool seen_ = false;
  std::bitset<256> down_;
};

}  // namespace

WaitResult WaitForClick(Display* display, int wake_fd, Click& click) {
  const Window root = DefaultRootWindow(display);
  if (!Grab([&] {
        return XGrabPointer(display, root, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync, GrabModeAsync,
                            None, None, CurrentTime);
      })) {
    return WaitResult::GrabRefused;
  }
  PressesDuringGrab presses;
  const bool done = EventsUntil(display, wake_fd, [&](const XEvent& e) {
    if (e.type == ButtonPress && presses.Press(e.xbutton.button)) {
      click = {e.xbutton.x_root, e.xbutton.y_root, static_cast<uint32_t>(e.xbutton.subwindow)};
    }
    return e.type == ButtonRelease && presses.ReleaseEndsGrab(e.xbutton.button);
  });
  XUngrabPointer(display, CurrentTime);
  XSync(display, False);
  return done ? WaitResult::Done : WaitResult::Woken;
}

WaitResult WaitForKey(Display* display, int wake_fd, unsigned& keycode) {
  const Window root = DefaultRootWindow(display);
  if (!Grab([&] { return XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime); })) {
    return WaitResult::GrabRefused;
  }
  unsigned pressed = 0;
  PressesDuringGrab presses;
  const bool done = EventsUntil(display, wake_fd, [&](const XEvent& e) {
    if (e.type == KeyPress && presses.Press(e.xkey.keycode)) pressed = e.xkey.keycode;
    return e.type == KeyRelease && presses.ReleaseEndsGrab(e.xkey.keycode);
  });
  XUngrabKeyboard(display, CurrentTime);
  XSync(display, False);
  keycode = pressed;
  return done ? WaitResult::Done : WaitResult::Woken;
}

}  // namespace dx::x11
