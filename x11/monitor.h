// The "screen" of a script: the primary monitor, in root-window
// coordinates. Script coordinates count from its top-left corner, so a
// monitor to its left or above it has negative ones, as Windows numbers a
// desktop.
#pragma once

#include <cstdint>

using Display = struct _XDisplay;

namespace dx::x11 {

struct MonitorRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct RootPoint {
  int64_t x = 0;
  int64_t y = 0;
};

// RandR's primary output, else the first Xinerama head, else the whole
// root window.
MonitorRect PrimaryMonitor(Display* display);

// Where a move record's absolute coordinates (0..65536 of the monitor)
// land on the root window: the pixel the Windows program lands on, shifted
// by the monitor's origin.
RootPoint RootPointOfAbsolute(int32_t dx, int32_t dy, const MonitorRect& monitor);

// A primary-relative point of a root-window position, as a capture stores it.
RootPoint MonitorPointOfRoot(int64_t root_x, int64_t root_y, const MonitorRect& monitor);

}  // namespace dx::x11
