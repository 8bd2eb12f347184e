#include "x11/grab.h"

#include <X11/Xlib.h>
#include <poll.h>

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

}  // namespace

WaitResult WaitForClick(Display* display, int wake_fd, Click& click) {
  const Window root = DefaultRootWindow(display);
  if (!Grab([&] {
        return XGrabPointer(display, root, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync, GrabModeAsync,
                            None, None, CurrentTime);
      })) {
    return WaitResult::GrabRefused;
  }
  unsigned button = 0;
  const bool done = EventsUntil(display, wake_fd, [&](const XEvent& e) {
    if (e.type == ButtonPress && button == 0) {
      button = e.xbutton.button;
      click = {e.xbutton.x_root, e.xbutton.y_root, static_cast<uint32_t>(e.xbutton.subwindow)};
    }
    return e.type == ButtonRelease && e.xbutton.button == button;
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
  const bool done = EventsUntil(display, wake_fd, [&](const XEvent& e) {
    if (e.type == KeyPress && pressed == 0) pressed = e.xkey.keycode;
    return e.type == KeyRelease && e.xkey.keycode == pressed;
  });
  XUngrabKeyboard(display, CurrentTime);
  XSync(display, False);
  keycode = pressed;
  return done ? WaitResult::Done : WaitResult::Woken;
}

}  // namespace dx::x11
