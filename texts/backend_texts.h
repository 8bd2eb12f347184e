// What dxplay says of the ways it plays a desktop (its backends): why a run
// uses one, what each can do, and what it refuses. UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace dx::backend_texts {

inline constexpr std::string_view kAskedFor = "asked for with --backend";
inline constexpr std::string_view kWlrootsOffered =
    "WAYLAND_DISPLAY is set and the compositor offers the wlroots virtual pointer and keyboard";
inline constexpr std::string_view kWlrootsNotOffered =
    "WAYLAND_DISPLAY is set, but the compositor offers no wlroots virtual pointer and keyboard: "
    "X11 windows only, through Xwayland";
inline constexpr std::string_view kNoWayland = "WAYLAND_DISPLAY is not set";
inline constexpr std::string_view kPortalRefused =
    "the portal backend (GNOME, KDE) is not available yet: on a wlroots compositor use --backend wlroots; "
    "elsewhere --backend x11 plays X11 windows through Xwayland";
inline std::string UnknownBackend(std::string_view word) {
  return "unknown backend '" + std::string(word) + "': x11, wlroots or portal";
}

// `dxplay doctor`, one fact a line.
inline std::string BackendLine(std::string_view name, std::string_view reason) {
  return "backend: " + std::string(name) + " (" + std::string(reason) + ")";
}
inline std::string CanLine(std::string_view what, bool can, std::string_view how) {
  return std::string(what) + ": " + (can ? "yes" : "no") + " (" + std::string(how) + ")";
}
inline constexpr std::string_view kInput = "input";
inline constexpr std::string_view kPixels = "pixels";
inline constexpr std::string_view kWindows = "windows";
inline constexpr std::string_view kStopKey = "stop key";
inline constexpr std::string_view kX11Input = "XTest";
inline constexpr std::string_view kX11Pixels = "read from the root window; on Xwayland only X11 windows show";
inline constexpr std::string_view kX11Windows = "the window manager's client list";
inline constexpr std::string_view kX11StopKey = "grabbed on the X server, or dxplay stop";
inline constexpr std::string_view kWlrootsInput = "virtual pointer and virtual keyboard with dxplay's keyboard map";
inline constexpr std::string_view kWlrootsPixels = "wlr-screencopy";
inline constexpr std::string_view kWlrootsWindows = "wlr-foreign-toplevel-management";
inline constexpr std::string_view kWlrootsStopKey =
    "a Wayland client cannot grab a key: bind dxplay stop in the compositor, in sway: "
    "bindsym Ctrl+Alt+Shift+F12 exec dxplay stop";
inline std::string OutputLine(std::string_view name, int x, int y, int width, int height, int scale, bool primary) {
  return "output: " + std::string(name) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
         std::to_string(width) + "x" + std::to_string(height) + " scale " + std::to_string(scale) +
         (primary ? " (primary)" : "");
}
inline constexpr std::string_view kNoDisplayLine = "no display: neither WAYLAND_DISPLAY nor DISPLAY names one";

// What a backend cannot do, and what to do instead.
inline constexpr std::string_view kNoWindowsHere =
    "the compositor offers no foreign-toplevel management, so dxplay cannot list or raise windows here: "
    "bring the window to the front yourself and run without --window, --window-name or --pick";
inline constexpr std::string_view kPickRefused =
    "--pick needs a click that dxplay cannot take from a Wayland compositor yet: "
    "find the window with dxplay windows and name it with --window or --window-name";
inline constexpr std::string_view kCaptureRefused =
    "capture cannot take a click or a key from a Wayland compositor yet: "
    "run it with --backend x11 in an X11 session, or write the slot into the script by hand";
inline constexpr std::string_view kStopKeyOption =
    "--stop-key is not grabbed on Wayland, where no client may grab a key: "
    "bind dxplay stop in the compositor (sway: bindsym Ctrl+Alt+Shift+F12 exec dxplay stop); Ctrl+C works too";
inline std::string StoppedRuns(int stopped, int still_running) {
  std::string text = "stopped " + std::to_string(stopped) + (stopped == 1 ? " run" : " runs");
  if (still_running > 0) text += ", " + std::to_string(still_running) + " still running";
  return text;
}

}  // namespace dx::backend_texts
