// Waiting for the user's next click or key press with the pointer or the
// keyboard grabbed, so that the click or key is not passed on to the
// application under it.
#pragma once

#include <cstdint>

using Display = struct _XDisplay;

namespace dx::x11 {

// Cancelled: the user pressed Escape (for a key, as the first key).
enum class WaitResult { Done, GrabRefused, Woken, Cancelled };

struct Click {
  int root_x = 0;
  int root_y = 0;
  uint32_t root_child = 0;  // the child of the root under the pointer, 0 for none
};

// Both return Woken as soon as `wake_fd` is readable (a signal arrived).
// The release of the button or key is waited for too, so that it does not
// reach the application either. The keyboard is grabbed during the wait
// for a click too, so that Escape cancels it.
WaitResult WaitForClick(Display* display, int wake_fd, Click& click);
WaitResult WaitForKey(Display* display, int wake_fd, unsigned& keycode);

}  // namespace dx::x11
