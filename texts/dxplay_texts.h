// What dxplay prints, UTF-8. Messages go to standard error behind the
// program's name, prompts and the status line to standard output.
#pragma once

#include <string>
#include <string_view>

#include "base/slot_counts.h"

namespace dx::dxplay_texts {

inline constexpr std::string_view kProgramName = "dxplay";

inline constexpr std::string_view kUsage =
    "usage: dxplay run SCRIPT.dxs [--window ENTRY | --window-name TEXT | --pick] [--stop-key COMBO] [--quiet]\n"
    "       dxplay capture SCRIPT.dxs --location N | --key N\n"
    "       dxplay windows\n"
    "       dxplay --help | --version\n";

// The slot ranges come from the slot counts.
inline const std::string kHelp = std::string(
    "Plays a Dorvaxil script (.dxs) against the X11 desktop, records screen\n"
    "positions and keys into its slots, and lists the windows a script can target.\n"
    "\n"
    "  run SCRIPT.dxs        play the script from its first line\n"
    "    --window ENTRY      bring this window to the front first: 8 hexadecimal\n"
    "                        digits of its id, optionally \" - \" and its title\n"
    "    --window-name TEXT  ... the first top-level window whose title contains TEXT\n"
    "    --pick              ... the window of the next click\n"
    "    --stop-key COMBO    the key that stops the run (default Ctrl+Alt+Shift+F12)\n"
    "    --quiet             print nothing but errors\n"
    "  capture SCRIPT.dxs    store the next click in location slot N (1-") + std::to_string(kLocationSlotCount) + "), or the\n"
    "    --location N        virtual-key code of the next key in key slot N (1-" + std::to_string(kKeySlotCount) + ")\n"
    "    --key N\n"
    "  windows               list the top-level windows, one window entry a line\n"
    "\n"
    "Exit status: 0 the run ended (ENDSCRIPT, stop key), 1 a line failed, 2 the\n"
    "file cannot be read or saved, 3 no X display (or it went away), 4 no such\n"
    "window, 64 wrong command line, 130 SIGINT, 143 SIGTERM.\n";

// A word the command line has no place for: an option the command does not
// take, or an argument too many.
inline std::string UnknownWord(std::string_view word) {
  return (word.starts_with("-") ? "unknown option '" : "unexpected argument '") + std::string(word) + "'";
}
inline std::string UnknownCommand(std::string_view word) { return "unknown command '" + std::string(word) + "'"; }
inline std::string MissingValue(std::string_view option) { return "missing value for " + std::string(option); }
inline std::string BadOptionValue(std::string_view option, std::string_view value) {
  return "bad value for " + std::string(option) + ": '" + std::string(value) + "'";
}
inline std::string OptionTwice(std::string_view option) {
  return "only one of --window, --window-name and --pick may be given (" + std::string(option) + ")";
}
inline constexpr std::string_view kMissingScript = "missing SCRIPT.dxs";
inline constexpr std::string_view kMissingCommand = "missing command: run, capture or windows";
inline constexpr std::string_view kMissingSlot = "capture needs --location N or --key N";

inline std::string NoDisplayMessage(std::string_view name) {
  return "cannot open the X display '" + std::string(name) +
         "': dxplay needs an X11 server (an X session or Xwayland) and DISPLAY naming it";
}
inline constexpr std::string_view kNoXTestMessage =
    "the X server has no XTest extension, which dxplay needs to send input";
inline constexpr std::string_view kDisplayLostMessage = "the connection to the X server was lost";

// A KEY line's code that cannot be sent, e.g. "key code $E2 has no X keysym".
inline std::string NoKeysymMessage(std::string_view hex) { return "key code $" + std::string(hex) + " has no X keysym"; }
inline std::string NoKeycodeMessage(std::string_view hex, std::string_view keysym) {
  return "key code $" + std::string(hex) + " (" + std::string(keysym) + ") is not on the current keyboard map";
}

inline std::string NoWindowMessage(std::string_view hex) { return "no window " + std::string(hex); }
inline std::string NoTitledWindowMessage(std::string_view text) {
  return "no top-level window's title contains '" + std::string(text) + "'";
}
inline constexpr std::string_view kPickPrompt = "click into the window to play in";
inline constexpr std::string_view kPickedNothing = "the click was on no window";
inline std::string ConsoleSwitchWarning(std::string_view combination) {
  return std::string(combination) + " switches consoles on most X servers, which then never pass it on: "
         "choose another stop key with --stop-key (Ctrl+C still stops the run)";
}
inline constexpr std::string_view kFocusNotTaken = "the window did not take the focus; playing anyway";
inline std::string LocationPrompt(int slot) { return "click the position for location slot " + std::to_string(slot); }
inline std::string KeyPrompt(int slot) { return "press the key for key slot " + std::to_string(slot); }
inline std::string LocationStored(int slot, int x, int y) {
  return "location slot " + std::to_string(slot) + ": " + std::to_string(x) + "," + std::to_string(y);
}
inline std::string KeyStored(int slot, std::string_view hex) {
  return "key slot " + std::to_string(slot) + ": " + std::string(hex);
}
inline std::string NoKeyCodeOfKey(std::string_view keysym) {
  return "the key pressed (" + std::string(keysym) + ") has no virtual-key code";
}
inline constexpr std::string_view kGrabFailed = "another client holds the pointer or the keyboard";

// The status line of a run on a terminal, e.g. "12: MOUSE GO 1".
inline std::string StatusLine(int file_line, std::string_view text) {
  return std::to_string(file_line) + ": " + std::string(text);
}

}  // namespace dx::dxplay_texts
