// The connection to a Wayland compositor: the globals dxplay uses, the
// outputs with their logical rectangles, and the one rule for a compositor
// that goes away (the lost handler ends the process).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "wayland/layout.h"

struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_output;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwlr_virtual_pointer_manager_v1;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_screencopy_manager_v1;
struct zwlr_foreign_toplevel_manager_v1;

namespace dx::wayland {

struct Output {
  wl_output* output = nullptr;
  zxdg_output_v1* xdg_output = nullptr;
  uint32_t global_name = 0;
  OutputInfo info;
};

struct Globals {
  wl_seat* seat = nullptr;
  wl_shm* shm = nullptr;
  zxdg_output_manager_v1* xdg_output_manager = nullptr;
  zwlr_virtual_pointer_manager_v1* pointer_manager = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboard_manager = nullptr;
  zwlr_screencopy_manager_v1* screencopy_manager = nullptr;
  uint32_t screencopy_version = 0;
  uint32_t seat_capabilities = 0;  // wl_seat's, as last announced
};

class Connection {
 public:
  // Connects to the compositor WAYLAND_DISPLAY names and reads its globals
  // and outputs; null with `error` set when there is none.
  static std::unique_ptr<Connection> Open(std::string& error);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  wl_display* Display() const { return display_; }
  const Globals& Global() const { return globals_; }
  std::vector<OutputInfo> Outputs() const;
  const Output* OutputNamed(const std::string& name) const;
  bool OffersToplevels() const { return toplevel_global_ != 0; }
  // Bound on the first call; null when the compositor has none.
  zwlr_foreign_toplevel_manager_v1* ToplevelManager();

  // Sends what is queued, waiting while the socket is full.
  void Flush();
  // Sends everything and waits until the compositor has handled it.
  void Roundtrip();
  // Handles the events that have arrived, waiting up to wait_ms for one
  // (0: no wait) or until `wake_fd` (-1: none) is readable.
  void Dispatch(uint64_t wait_ms, int wake_fd);
  // Waits for events until `done` holds.
  template <typename Done>
  void DispatchUntil(Done done) {
    while (!done()) DispatchBlocking();
  }

  // Called by the registry listener.
  void AddGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  void RemoveGlobal(uint32_t name);

 private:
  explicit Connection(wl_display* display) : display_(display) {}
  void DispatchBlocking();
  void AddOutput(wl_registry* registry, uint32_t name, uint32_t version);
  void ListenToOutput(Output& output);

  wl_display* display_;
  wl_registry* registry_ = nullptr;
  Globals globals_;
  std::vector<std::unique_ptr<Output>> outputs_;
  bool listening_ = false;
  uint32_t toplevel_global_ = 0;
  uint32_t toplevel_version_ = 0;
  zwlr_foreign_toplevel_manager_v1* toplevel_manager_ = nullptr;  // the outputs of the start have their xdg-output
};

// Called when the compositor went away or ended the connection with a
// protocol error; must end the process (nothing it holds can be released
// any more: the compositor released it). Without one, the message is printed
// and the process exits with status 3.
void SetCompositorLostHandler(void (*handler)(const std::string& message));

// What the compositor at WAYLAND_DISPLAY offers of what a wlroots run
// uses; `connected` false with `error` set when there is none.
struct Offer {
  bool connected = false;
  bool pointer = false;
  bool keyboard = false;
  bool screencopy = false;
  bool toplevels = false;
  bool xdg_output = false;
};
Offer ProbeCompositor(std::string& error);

}  // namespace dx::wayland
