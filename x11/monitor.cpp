#include "x11/monitor.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <optional>

namespace dx::x11 {
namespace {

// Asked of the core protocol first: the extension libraries keep a record
// of a display that lacks them, which is never freed.
bool ServerHas(Display* display, const char* extension) {
  int opcode = 0, event_base = 0, error_base = 0;
  return XQueryExtension(display, extension, &opcode, &event_base, &error_base);
}

std::optional<MonitorRect> RandrPrimary(Display* display, Window root) {
  int event_base = 0, error_base = 0;
  if (!ServerHas(display, "RANDR") || !XRRQueryExtension(display, &event_base, &error_base)) return std::nullopt;
  int major = 0, minor = 0;
  // Primary outputs came with RandR 1.3.
  if (!XRRQueryVersion(display, &major, &minor) || major * 100 + minor < 103) return std::nullopt;
  const RROutput primary = XRRGetOutputPrimary(display, root);
  if (primary == None) return std::nullopt;
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
  if (resources == nullptr) return std::nullopt;
  std::optional<MonitorRect> rect;
  if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary)) {
    if (output->crtc != None) {
      if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc)) {
        if (crtc->width > 0 && crtc->height > 0) {
          rect = MonitorRect{crtc->x, crtc->y, static_cast<int>(crtc->width), static_cast<int>(crtc->height)};
        }
        XRRFreeCrtcInfo(crtc);
      }
    }
    XRRFreeOutputInfo(output);
  }
  XRRFreeScreenResources(resources);
  return rect;
}

std::optional<MonitorRect> FirstXineramaHead(Display* display) {
  int event_base = 0, error_base = 0;
  if (!ServerHas(display, "XINERAMA") || !XineramaQueryExtension(display, &event_base, &error_base) ||
      !XineramaIsActive(display)) {
    return std::nullopt;
  }
  int count = 0;
  XineramaScreenInfo* heads = XineramaQueryScreens(display, &count);
  if (heads == nullptr) return std::nullopt;
  std::optional<MonitorRect> rect;
  if (count > 0) rect = MonitorRect{heads[0].x_org, heads[0].y_org, heads[0].width, heads[0].height};
  XFree(heads);
  return rect;
}

}  // namespace

MonitorRect PrimaryMonitor(Display* display) {
  const Window root = DefaultRootWindow(display);
  if (auto rect = RandrPrimary(display, root)) return *rect;
  if (auto rect = FirstXineramaHead(display)) return *rect;
  const int screen = DefaultScreen(display);
  return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

}  // namespace dx::x11
