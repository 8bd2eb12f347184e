// What the wlroots backend of dxplay says, UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace dx::wayland_texts {

inline std::string NoCompositorMessage(std::string_view name) {
  return "cannot connect to the Wayland compositor '" + std::string(name) +
         "': the wlroots backend needs a Wayland session and WAYLAND_DISPLAY naming it";
}
inline constexpr std::string_view kNotBuiltMessage =
    "this dxplay was built without its Wayland backend (libwayland-dev, libwayland-bin, wayland-protocols and "
    "libxkbcommon-dev were missing): use --backend x11";
inline constexpr std::string_view kCompositorLostMessage = "the connection to the Wayland compositor was lost";
inline std::string ProtocolErrorMessage(std::string_view interface, unsigned code) {
  return "the Wayland compositor ended the connection (protocol error " + std::to_string(code) + " on " +
         std::string(interface) + ")";
}
inline std::string MissingProtocolMessage(std::string_view protocol, std::string_view purpose) {
  return "the Wayland compositor does not offer " + std::string(protocol) + ", which the wlroots backend needs " +
         std::string(purpose) + ": use a wlroots compositor (sway, Hyprland, labwc, river, Wayfire) or --backend x11";
}
inline constexpr std::string_view kPointerPurpose = "to move and click";
inline constexpr std::string_view kKeyboardPurpose = "to type";
inline constexpr std::string_view kNoSeatMessage = "the Wayland compositor has no seat to send input to";
inline constexpr std::string_view kNoOutputMessage = "the Wayland compositor reports no output";
inline std::string NoOutputNamedMessage(std::string_view name, std::string_view outputs) {
  return "no output named '" + std::string(name) + "' (the outputs: " + std::string(outputs) + ")";
}
inline constexpr std::string_view kNoScreencopyMessage =
    "the Wayland compositor offers no screencopy (wlr-screencopy-unstable-v1): GETCOLOR cannot read pixels here";
inline constexpr std::string_view kScreencopyFailedMessage = "the Wayland compositor could not copy the screen pixel";
inline std::string PixelFormatMessage(unsigned format) {
  return "the Wayland compositor offers screen pixels only in a format dxplay cannot read (" + std::to_string(format) +
         ")";
}
inline std::string NoKeyInKeymapMessage(std::string_view hex) {
  return "key code $" + std::string(hex) + " has no key in dxplay's keyboard map";
}
inline constexpr std::string_view kKeymapFailedMessage = "the keyboard map for the virtual keyboard cannot be built";

}  // namespace dx::wayland_texts
