#include "x11/grab.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
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
  bool Holding() const { return down_.any(); }

 private:
  bool seen_ = false;
  std::bitset<256> down_;
};

int GrabKeyboard(Display* display) {
  return XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync, CurrentTime);
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
  // Without the keyboard, Escape reaches the focused window and cancels nothing.
  const bool keyboard = Grab([&] { return GrabKeyboard(display); });
  const unsigned escape = XKeysymToKeycode(display, XK_Escape);
  PressesDuringGrab buttons, keys;
  bool clicked = false, cancelled = false;
  const bool done = EventsUntil(display, wake_fd, [&](const XEvent& e) {
    if (e.type == ButtonPress && buttons.Press(e.xbutton.button)) {
      click = {e.xbutton.x_root, e.xbutton.y_root, static_cast<uint32_t>(e.xbutton.subwindow)};
    }
    if (e.type == ButtonRelease && buttons.ReleaseEndsGrab(e.xbutton.button)) clicked = true;
    if (e.type == KeyPress && keys.Press(e.xkey.keycode) && e.xkey.keycode == escape) cancelled = true;
    if (e.type == KeyRelease) keys.ReleaseEndsGrab(e.xkey.keycode);
    return (clicked || cancelled) && !buttons.Holding() && !keys.Holding();
  });
  if (keyboard) XUngrabKeyboard(display, CurrentTime);
  XUngrabPointer(display, CurrentTime);
  XSync(display, False);
  if (!done) return WaitResult::Woken;
  return cancelled ? WaitResult::Cancelled : WaitResult::Done;
}

WaitResult WaitForKey(Display* display, int wake_fd, unsigned& keycode) {
  if (!Grab([&] { return GrabKeyboard(display); })) return WaitResult::GrabRefused;
  unsigned pressed = 0;
  PressesDuringGrab presses;
  const bool done = EventsUntil(display, wake_fd, [&](const XEvent& e) {
    if (e.type == KeyPress && presses.Press(e.xkey.keycode)) pressed = e.xkey.keycode;
    return e.type == KeyRelease && presses.ReleaseEndsGrab(e.xkey.keycode);
  });
  XUngrabKeyboard(display, CurrentTime);
  XSync(display, False);
  keycode = pressed;
  if (!done) return WaitResult::Woken;
  return pressed == XKeysymToKeycode(display, XK_Escape) ? WaitResult::Cancelled : WaitResult::Done;
}

}  // namespace dx::x11
