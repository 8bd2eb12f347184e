// Top-level windows: their titles, the window list, and bringing one to
// the front. Window ids are the handles of window entries.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using Display = struct _XDisplay;
union _XEvent;

namespace dx::x11 {

struct TitledWindow {
  uint32_t id = 0;
  std::string title;  // as a window entry shows it (EntryTitle)
};

// A title as a window entry holds it: at most 199 bytes, never a split
// UTF-8 code point, control characters as spaces so that an entry stays one
// line.
std::string EntryTitle(std::string_view utf8);

// _NET_WM_NAME (UTF-8), else WM_NAME; "" for none or a vanished window.
std::string WindowTitle(Display* display, uint32_t window);

// The titled top-level windows: the window manager's client list where one
// runs, else the mapped children of the root.
std::vector<TitledWindow> TitledTopLevelWindows(Display* display);

bool WindowExists(Display* display, uint32_t window);

// The process id a window's client gives in _NET_WM_PID, 0 for none.
uint32_t WindowProcessId(Display* display, uint32_t window);

// The application window at a child of the root (a window manager's frame
// holds it): the first window below it with WM_STATE, else the child itself.
uint32_t ClientWindowOf(Display* display, uint32_t root_child);

// Asks for the window's DestroyNotify and UnmapNotify on this connection;
// false when the window is gone already.
bool WatchForDestruction(Display* display, uint32_t window);
// True for the event that destroys or unmaps the watched window (it was
// closed, minimised or moved off the desktop shown).
bool EndsWindow(const _XEvent& event, uint32_t window);

// Asks the window manager to activate the window (_NET_ACTIVE_WINDOW), or
// with none raises it and gives it the focus; then waits up to `wait_ms`
// until it holds the focus. False when it did not take it.
bool BringToFront(Display* display, uint32_t window, int wait_ms);

}  // namespace dx::x11
