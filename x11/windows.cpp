#include "x11/windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <optional>
#include <thread>

#include "x11/display.h"

namespace dx::x11 {
namespace {

Atom AtomNamed(Display* display, const char* name) { return XInternAtom(display, name, False); }

// A property's items, or nothing when the window lacks it (or vanished).
template <typename Item>
std::optional<std::vector<Item>> Property(Display* display, Window window, Atom property, Atom type) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ErrorTrap trap(display);
  const int status = XGetWindowProperty(display, window, property, 0, 1 << 20, False, type, &actual_type, &format,
                                        &count, &after, &data);
  if (trap.Sync() != 0 || status != Success || actual_type == None || data == nullptr) {
    if (data) XFree(data);
    return std::nullopt;
  }
  std::vector<Item> items;
  if (format == 8) {
    for (unsigned long i = 0; i < count; ++i) items.push_back(static_cast<Item>(data[i]));
  } else if (format == 32) {
    // Xlib hands 32-bit items over as longs.
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long i = 0; i < count; ++i) items.push_back(static_cast<Item>(longs[i]));
  }
  XFree(data);
  return items;
}

std::optional<std::string> TextProperty(Display* display, Window window, Atom property, Atom type) {
  const auto bytes = Property<char>(display, window, property, type);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

// The old WM_NAME in UTF-8, as entries hold titles: it may be Latin-1
// (STRING), COMPOUND_TEXT or UTF-8, which Xlib converts; bytes it cannot
// convert are kept as they are.
std::optional<std::string> LegacyTitle(Display* display, Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ErrorTrap trap(display);
  const int status = XGetWindowProperty(display, window, XA_WM_NAME, 0, 1 << 20, False, AnyPropertyType, &type,
                                        &format, &count, &after, &data);
  if (trap.Sync() != 0 || status != Success || type == None || data == nullptr || format != 8) {
    if (data) XFree(data);
    return std::nullopt;
  }
  std::string title(reinterpret_cast<const char*>(data), count);
  XTextProperty text{data, type, format, count};
  char** list = nullptr;
  int items = 0;
  if (Xutf8TextPropertyToTextList(display, &text, &list, &items) >= Success && items > 0 && list != nullptr) {
    title = list[0];
  }
  if (list != nullptr) XFreeStringList(list);
  XFree(data);
  return title;
}

bool WindowManagerSupports(Display* display, const char* name) {
  const Window root = DefaultRootWindow(display);
  const auto supported = Property<Atom>(display, root, AtomNamed(display, "_NET_SUPPORTED"), XA_ATOM);
  if (!supported) return false;
  const Atom wanted = AtomNamed(display, name);
  for (const Atom a : *supported) {
    if (a == wanted) return true;
  }
  return false;
}

std::vector<Window> Children(Display* display, Window window) {
  Window root = None, parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  ErrorTrap trap(display);
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) && trap.Sync() == 0) {
    result.assign(children, children + count);
  }
  if (children) XFree(children);
  return result;
}

bool IsMapped(Display* display, Window window) {
  XWindowAttributes attributes{};
  ErrorTrap trap(display);
  return XGetWindowAttributes(display, window, &attributes) && trap.Sync() == 0 &&
         attributes.map_state == IsViewable;
}

std::vector<Window> TopLevelWindows(Display* display) {
  const Window root = DefaultRootWindow(display);
  if (auto clients = Property<Window>(display, root, AtomNamed(display, "_NET_CLIENT_LIST"), XA_WINDOW)) {
    return *clients;
  }
  std::vector<Window> mapped;
  for (const Window w : Children(display, root)) {
    if (IsMapped(display, w)) mapped.push_back(w);
  }
  return mapped;
}

// True when `window` is the focus window or one of its ancestors.
bool HoldsFocus(Display* display, Window window) {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  const Window root = DefaultRootWindow(display);
  for (Window w = focus; w != None && w != PointerRoot && w != root;) {
    if (w == window) return true;
    Window r = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    ErrorTrap trap(display);
    const bool ok = XQueryTree(display, w, &r, &parent, &children, &count) && trap.Sync() == 0;
    if (children) XFree(children);
    if (!ok) return false;
    w = parent;
  }
  return false;
}

// A client message to the window manager about `window`: its first datum,
// then the time of the request (none).
void SendToWindowManager(Display* display, Window window, const char* message, unsigned long datum) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = AtomNamed(display, message);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(datum);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// A window on another desktop of the window manager takes no focus: switch
// to its desktop first, as a pager does (a window on every desktop says
// 0xFFFFFFFF).
void ShowDesktopOf(Display* display, Window window) {
  const Window root = DefaultRootWindow(display);
  const auto desktop = Property<unsigned long>(display, window, AtomNamed(display, "_NET_WM_DESKTOP"), XA_CARDINAL);
  const auto current = Property<unsigned long>(display, root, AtomNamed(display, "_NET_CURRENT_DESKTOP"), XA_CARDINAL);
  if (!desktop || desktop->empty() || !current || current->empty()) return;
  if (desktop->front() == 0xFFFFFFFF || desktop->front() == current->front()) return;
  SendToWindowManager(display, root, "_NET_CURRENT_DESKTOP", desktop->front());
}

}  // namespace

std::string WindowTitle(Display* display, uint32_t window) {
  if (auto name = TextProperty(display, window, AtomNamed(display, "_NET_WM_NAME"),
                               AtomNamed(display, "UTF8_STRING"))) {
    if (!name->empty()) return *name;
  }
  if (auto name = LegacyTitle(display, window)) return *name;
  return {};
}

std::vector<TitledWindow> TitledTopLevelWindows(Display* display) {
  std::vector<TitledWindow> titled;
  for (const Window w : TopLevelWindows(display)) {
    std::string title = EntryTitle(WindowTitle(display, static_cast<uint32_t>(w)));
    if (!title.empty()) titled.push_back({static_cast<uint32_t>(w), std::move(title)});
  }
  return titled;
}

bool WindowExists(Display* display, uint32_t window) {
  if (window == 0) return false;
  XWindowAttributes attributes{};
  ErrorTrap trap(display);
  return XGetWindowAttributes(display, window, &attributes) && trap.Sync() == 0;
}

bool WatchForDestruction(Display* display, uint32_t window) {
  ErrorTrap trap(display);
  XSelectInput(display, window, StructureNotifyMask);
  return trap.Sync() == 0;
}

bool EndsWindow(const XEvent& event, uint32_t window) {
  if (event.type == DestroyNotify) return event.xdestroywindow.window == window;
  return event.type == UnmapNotify && event.xunmap.window == window;
}

uint32_t WindowProcessId(Display* display, uint32_t window) {
  const auto pid = Property<uint32_t>(display, window, AtomNamed(display, "_NET_WM_PID"), XA_CARDINAL);
  return pid && !pid->empty() ? pid->front() : 0;
}

uint32_t ClientWindowOf(Display* display, uint32_t root_child) {
  const Atom wm_state = AtomNamed(display, "WM_STATE");
  std::vector<Window> level{root_child};
  // Breadth first: a frame's client is near its top.
  while (!level.empty()) {
    std::vector<Window> next;
    for (const Window w : level) {
      if (Property<unsigned long>(display, w, wm_state, AnyPropertyType)) return static_cast<uint32_t>(w);
      for (const Window child : Children(display, w)) next.push_back(child);
    }
    level = std::move(next);
  }
  return root_child;
}

bool BringToFront(Display* display, uint32_t window, int wait_ms) {
  if (WindowManagerSupports(display, "_NET_ACTIVE_WINDOW")) {
    if (WindowManagerSupports(display, "_NET_CURRENT_DESKTOP")) ShowDesktopOf(display, window);
    // 2: the request comes from a pager-like tool, honoured at once.
    SendToWindowManager(display, window, "_NET_ACTIVE_WINDOW", 2);
  } else {
    ErrorTrap trap(display);  // an unmapped window refuses the focus
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    trap.Sync();
  }
  XFlush(display);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
  for (;;) {
    if (HoldsFocus(display, window)) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace dx::x11
