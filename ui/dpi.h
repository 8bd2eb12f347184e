// Which pixels the program works in. It declares itself aware of each
// monitor's DPI, so captured positions, mouse moves and colour reads all use
// the same physical pixels, and the windows scale their layout themselves.
#pragma once

#include <windows.h>

namespace dx::ui {

// Per-monitor awareness (version 2, else version 1), else system awareness,
// whichever the system offers first; a no-op when the manifest has already
// set it.
void BecomeDpiAware();

// The DPI a new window starts at: the system's.
int SystemDpi();

// The DPI of the monitor the window is on, as the window sees it.
int WindowDpi(HWND window);

// WM_DPICHANGED: the new DPI and the rectangle the system suggests.
struct DpiChange {
  int dpi;
  RECT suggested;
};
DpiChange ReadDpiChange(WPARAM wParam, LPARAM lParam);

}  // namespace dx::ui
