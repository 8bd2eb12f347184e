// The arithmetic of monitor.h, apart from the X calls so that it is tested
// without a display.
#include "engine/mouse_command.h"
#include "x11/monitor.h"

namespace dx::x11 {

RootPoint RootPointOfAbsolute(int32_t dx, int32_t dy, const MonitorRect& monitor) {
  return {monitor.x + PixelOfAbsolute(dx, monitor.width), monitor.y + PixelOfAbsolute(dy, monitor.height)};
}

RootPoint MonitorPointOfRoot(int64_t root_x, int64_t root_y, const MonitorRect& monitor) {
  return {root_x - monitor.x, root_y - monitor.y};
}

}  // namespace dx::x11
