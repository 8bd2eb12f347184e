#include "wayland/connection.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "texts/dxplay_texts.h"
#include "texts/wayland_texts.h"
#include "virtual-keyboard-unstable-v1-client.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client.h"
#include "wlr-screencopy-unstable-v1-client.h"
#include "wlr-virtual-pointer-unstable-v1-client.h"
#include "xdg-output-unstable-v1-client.h"

namespace dx::wayland {
namespace {

namespace t = wayland_texts;

constexpr int kExitNoDisplay = 3;

void DefaultLost(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", dxplay_texts::kProgramName.data(), message.c_str());
  std::_Exit(kExitNoDisplay);
}

void (*g_lost)(const std::string&) = DefaultLost;

[[noreturn]] void Lost(wl_display* display) {
  std::string message(t::kCompositorLostMessage);
  if (wl_display_get_error(display) == EPROTO) {
    const wl_interface* interface = nullptr;
    uint32_t id = 0;
    const uint32_t code = wl_display_get_protocol_error(display, &interface, &id);
    message = t::ProtocolErrorMessage(interface != nullptr ? interface->name : "?", code);
  }
  g_lost(message);
  std::_Exit(kExitNoDisplay);  // a handler that returns still ends the process
}

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered, uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  static_cast<Connection*>(data)->AddGlobal(registry, name, interface, version);
}

void OnGlobalRemove(void* data, wl_registry*, uint32_t name) { static_cast<Connection*>(data)->RemoveGlobal(name); }

constexpr wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void SeatCapabilities(void* data, wl_seat*, uint32_t capabilities) {
  static_cast<Globals*>(data)->seat_capabilities = capabilities;
}
void SeatName(void*, wl_seat*, const char*) {}
constexpr wl_seat_listener kSeatListener = {SeatCapabilities, SeatName};

// wl_output: only the integer scale is read; positions and sizes come
// from xdg-output, which gives them in logical pixels.
void OutputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
                    int32_t) {}
void OutputMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void OutputDone(void*, wl_output*) {}
void OutputScale(void* data, wl_output*, int32_t factor) { static_cast<Output*>(data)->info.scale = factor; }
#ifdef WL_OUTPUT_NAME_SINCE_VERSION
void OutputName(void*, wl_output*, const char*) {}
void OutputDescription(void*, wl_output*, const char*) {}
constexpr wl_output_listener kOutputListener = {OutputGeometry, OutputMode,  OutputDone,
                                                OutputScale,    OutputName,  OutputDescription};
#else
constexpr wl_output_listener kOutputListener = {OutputGeometry, OutputMode, OutputDone, OutputScale};
#endif

void XdgPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
  auto& info = static_cast<Output*>(data)->info;
  info.x = x;
  info.y = y;
}
void XdgSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
  auto& info = static_cast<Output*>(data)->info;
  info.width = width;
  info.height = height;
}
void XdgDone(void*, zxdg_output_v1*) {}
void XdgName(void* data, zxdg_output_v1*, const char* name) { static_cast<Output*>(data)->info.name = name; }
void XdgDescription(void*, zxdg_output_v1*, const char*) {}
constexpr zxdg_output_v1_listener kXdgOutputListener = {XdgPosition, XdgSize, XdgDone, XdgName, XdgDescription};

}  // namespace

void SetCompositorLostHandler(void (*handler)(const std::string& message)) {
  g_lost = handler != nullptr ? handler : DefaultLost;
}

std::unique_ptr<Connection> Connection::Open(std::string& error) {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    error = t::NoCompositorMessage(name != nullptr ? name : "wayland-0");
    return nullptr;
  }
  std::unique_ptr<Connection> connection(new Connection(display));
  connection->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(connection->registry_, &kRegistryListener, connection.get());
  // The first round trip lists the globals, the second their outputs' details.
  connection->Roundtrip();
  for (auto& output : connection->outputs_) connection->ListenToOutput(*output);
  connection->listening_ = true;
  connection->Roundtrip();
  return connection;
}

Connection::~Connection() {
  for (auto& o : outputs_) {
    if (o->xdg_output != nullptr) zxdg_output_v1_destroy(o->xdg_output);
    wl_output_destroy(o->output);
  }
  if (toplevel_manager_ != nullptr) zwlr_foreign_toplevel_manager_v1_destroy(toplevel_manager_);
  if (globals_.screencopy_manager != nullptr) zwlr_screencopy_manager_v1_destroy(globals_.screencopy_manager);
  if (globals_.keyboard_manager != nullptr) zwp_virtual_keyboard_manager_v1_destroy(globals_.keyboard_manager);
  if (globals_.pointer_manager != nullptr) zwlr_virtual_pointer_manager_v1_destroy(globals_.pointer_manager);
  if (globals_.xdg_output_manager != nullptr) zxdg_output_manager_v1_destroy(globals_.xdg_output_manager);
  if (globals_.shm != nullptr) wl_shm_destroy(globals_.shm);
  if (globals_.seat != nullptr) wl_seat_destroy(globals_.seat);
  if (registry_ != nullptr) wl_registry_destroy(registry_);
  wl_display_flush(display_);
  wl_display_disconnect(display_);
}

void Connection::AddGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  const std::string_view i = interface;
  Globals& g = globals_;
  if (i == wl_seat_interface.name && g.seat == nullptr) {
    g.seat = Bind<wl_seat>(registry, name, &wl_seat_interface, version, 1);
    wl_seat_add_listener(g.seat, &kSeatListener, &globals_);
  } else if (i == wl_shm_interface.name) {
    g.shm = Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
  } else if (i == wl_output_interface.name) {
    AddOutput(registry, name, version);
  } else if (i == zxdg_output_manager_v1_interface.name) {
    g.xdg_output_manager = Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface, version, 3);
  } else if (i == zwlr_virtual_pointer_manager_v1_interface.name) {
    g.pointer_manager =
        Bind<zwlr_virtual_pointer_manager_v1>(registry, name, &zwlr_virtual_pointer_manager_v1_interface, version, 1);
  } else if (i == zwp_virtual_keyboard_manager_v1_interface.name) {
    g.keyboard_manager =
        Bind<zwp_virtual_keyboard_manager_v1>(registry, name, &zwp_virtual_keyboard_manager_v1_interface, version, 1);
  } else if (i == zwlr_screencopy_manager_v1_interface.name) {
    g.screencopy_version = std::min<uint32_t>(version, 3);
    g.screencopy_manager =
        Bind<zwlr_screencopy_manager_v1>(registry, name, &zwlr_screencopy_manager_v1_interface, version, 3);
  } else if (i == zwlr_foreign_toplevel_manager_v1_interface.name) {
    // Bound when windows are asked for: once bound, the compositor creates
    // an object for every window.
    toplevel_global_ = name;
    toplevel_version_ = version;
  }
}

void Connection::AddOutput(wl_registry* registry, uint32_t name, uint32_t version) {
  auto output = std::make_unique<Output>();
  output->global_name = name;
  output->output = Bind<wl_output>(registry, name, &wl_output_interface, version, 2);
  wl_output_add_listener(output->output, &kOutputListener, output.get());
  // An output announced after the start gets its xdg-output at once.
  if (listening_) ListenToOutput(*output);
  outputs_.push_back(std::move(output));
}

void Connection::ListenToOutput(Output& output) {
  if (globals_.xdg_output_manager == nullptr || output.xdg_output != nullptr) return;
  output.xdg_output = zxdg_output_manager_v1_get_xdg_output(globals_.xdg_output_manager, output.output);
  zxdg_output_v1_add_listener(output.xdg_output, &kXdgOutputListener, &output);
}

void Connection::RemoveGlobal(uint32_t name) {
  const auto it = std::find_if(outputs_.begin(), outputs_.end(), [name](const auto& o) { return o->global_name == name; });
  if (it == outputs_.end()) return;
  if ((*it)->xdg_output != nullptr) zxdg_output_v1_destroy((*it)->xdg_output);
  wl_output_destroy((*it)->output);
  outputs_.erase(it);
}

zwlr_foreign_toplevel_manager_v1* Connection::ToplevelManager() {
  if (toplevel_manager_ == nullptr && toplevel_global_ != 0) {
    toplevel_manager_ = Bind<zwlr_foreign_toplevel_manager_v1>(
        registry_, toplevel_global_, &zwlr_foreign_toplevel_manager_v1_interface, toplevel_version_, 3);
  }
  return toplevel_manager_;
}

std::vector<OutputInfo> Connection::Outputs() const {
  std::vector<OutputInfo> infos;
  for (const auto& o : outputs_) {
    if (o->info.width > 0 && o->info.height > 0) infos.push_back(o->info);
  }
  return infos;
}

const Output* Connection::OutputNamed(const std::string& name) const {
  for (const auto& o : outputs_) {
    if (o->info.name == name) return o.get();
  }
  return nullptr;
}

void Connection::Flush() {
  while (wl_display_flush(display_) < 0) {
    if (errno != EAGAIN) Lost(display_);
    pollfd fd{wl_display_get_fd(display_), POLLOUT, 0};
    if (poll(&fd, 1, -1) < 0 && errno != EINTR) Lost(display_);
  }
}

void Connection::Roundtrip() {
  Flush();
  if (wl_display_roundtrip(display_) < 0) Lost(display_);
}

void Connection::Dispatch(uint64_t wait_ms, int wake_fd) {
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) Lost(display_);
  }
  Flush();
  pollfd fds[] = {{wl_display_get_fd(display_), POLLIN, 0}, {wake_fd, POLLIN, 0}};
  const int ready = poll(fds, wake_fd >= 0 ? 2 : 1, static_cast<int>(std::min<uint64_t>(wait_ms, INT_MAX)));
  if (ready > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
    if (wl_display_read_events(display_) < 0) Lost(display_);
  } else {
    wl_display_cancel_read(display_);
  }
  if (wl_display_dispatch_pending(display_) < 0) Lost(display_);
}

void Connection::DispatchBlocking() {
  Flush();
  if (wl_display_dispatch(display_) < 0) Lost(display_);
}

Offer ProbeCompositor(std::string& error) {
  Offer offer;
  const auto connection = Connection::Open(error);
  if (!connection) return offer;
  const Globals& g = connection->Global();
  offer.connected = true;
  offer.pointer = g.pointer_manager != nullptr;
  offer.keyboard = g.keyboard_manager != nullptr && g.seat != nullptr;
  offer.screencopy = g.screencopy_manager != nullptr && g.shm != nullptr && g.screencopy_version >= 3;
  offer.toplevels = connection->OffersToplevels();
  offer.xdg_output = g.xdg_output_manager != nullptr;
  return offer;
}

}  // namespace dx::wayland
