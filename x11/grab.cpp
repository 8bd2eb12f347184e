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

}  // namespace

WaitResult WaitForClick(Display* display, int wake_fd, Click& click) {
  const Window root = DefaultRootWindow(display);
  if (!Grab([&] {
        return XGrabPointer(display, root, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync, GrabModeAsync,
                            None, None, CurrentTime);
      })) {
    return WaitResult::GrabRefused;
  }
  // As with keys: the grab lasts until every button pressed during it is up.
  unsigned button = 0;
  std::bitset<32> down;
  const bool done = EventsUntil(display, wake_fd, [&](const XEvent& e) {
    if (e.type == ButtonPress) {
      if (button == 0) {
        button = e.xbutton.button;
        click = {e.xbutton.x_root, e.xbutton.y_root, static_cast<uint32_t>(e.xbutton.subwindow)};
      }
      down.set(e.xbutton.button & 31);
    }
    if (e.type != ButtonRelease) return false;
    down.reset(e.xbutton.button & 31);
    return button != 0 && down.none();
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
  // The grab lasts until every key pressed during it is up again, so that no
  // release of a second key reaches the window underneath.
  unsigned pressed = 0;
  std::bitset<256> down;
  const bool done = EventsUntil(display, wake_fd, [&](const XEvent& e) {
    if (e.type == KeyPress) {
      if (pressed == 0) pressed = e.xkey.keycode;
      down.set(e.xkey.keycode & 0xFF);
    }
    if (e.type != KeyRelease) return false;
    down.reset(e.xkey.keycode & 0xFF);
    return pressed != 0 && down.none();
  });
  XUngrabKeyboard(display, CurrentTime);
  XSync(display, False);
  keycode = pressed;
  return done ? WaitResult::Done : WaitResult::Woken;
}

}  // namespace dx::x11
