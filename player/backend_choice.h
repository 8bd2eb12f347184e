// Which way in a dxplay run takes to the desktop: the one --backend names,
// else the session's: a Wayland session whose compositor offers the wlroots
// virtual input plays there, any other plays on X11.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dx {

enum class Backend { X11, Wlroots, Portal };

std::optional<Backend> BackendNamed(std::string_view name);
std::string_view BackendName(Backend backend);

struct SessionFacts {
  bool wayland_display = false;  // WAYLAND_DISPLAY is set
  bool wlroots_input = false;    // its compositor offers the virtual pointer and keyboard
};

struct BackendChoice {
  Backend backend = Backend::X11;
  std::string_view reason;
};

BackendChoice ChooseBackend(std::optional<Backend> requested, const SessionFacts& facts);

}  // namespace dx
