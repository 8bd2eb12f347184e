// The top-level windows of a wlroots session (foreign-toplevel
// management): their titles and app ids, and bringing one to the front.
// Their handles carry no id that outlives the connection, so a window's
// number is made from its app id and title (and its place among windows
// that share both): `dxplay windows` and a later run agree on it as long as
// the title stays.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct zwlr_foreign_toplevel_handle_v1;

namespace dx::wayland {

class Connection;

struct Toplevel {
  zwlr_foreign_toplevel_handle_v1* handle = nullptr;
  std::string title;
  std::string app_id;
  bool activated = false;
  bool closed = false;
  bool complete = false;  // its first "done" has arrived
  uint32_t id = 0;
};

// The number of a window: never 0 (0 names no window).
uint32_t ToplevelId(std::string_view app_id, std::string_view title, uint32_t occurrence);

class Toplevels {
 public:
  // Reads the list; the compositor must offer the manager.
  explicit Toplevels(Connection& connection);
  ~Toplevels();
  Toplevels(const Toplevels&) = delete;
  Toplevels& operator=(const Toplevels&) = delete;

  // The open windows in the compositor's order, with their numbers.
  std::vector<const Toplevel*> List();
  const Toplevel* Find(uint32_t id);
  // Asks for the window to be activated and waits up to wait_ms until it
  // is; false when it did not become the active one.
  bool Activate(uint32_t id, int wait_ms);

  // Called by the listeners.
  void Add(zwlr_foreign_toplevel_handle_v1* handle);

 private:
  void Number();

  Connection& connection_;
  std::vector<std::unique_ptr<Toplevel>> toplevels_;
};

}  // namespace dx::wayland
