// What dxplay prints, UTF-8. Messages go to standard error behind the
// program's name, prompts and the status line to standard output.
#pragma once

#include <string>
#include <string_view>

#include "base/slot_counts.h"

namespace dx::dxplay_texts {

inline constexpr std::string_view kProgramName = "dxplay";

inline constexpr std::string_view kUsage =
    "usage: dxplay run SCRIPT.dxs [--window ENTRY | --window-name TEXT | --pick] [--stop-key COMBO]\n"
    "                  [--play-unfocused] [--quiet] [--backend x11|wlroots|portal] [--output NAME]\n"
    "       dxplay capture SCRIPT.dxs --location N | --key N [--backend ...]\n"
    "       dxplay record SCRIPT.dxs [--stop-key COMBO] [--slots] [--no-delays] [--append]\n"
    "       dxplay windows [--backend ...]\n"
    "       dxplay doctor [--backend ...] [--output NAME]\n"
    "       dxplay stop\n"
    "       dxplay --help | --version\n";

// The slot ranges come from the slot counts.
inline const std::string kHelp = std::string(
    "Plays a Dorvaxil script (.dxs) against the desktop (X11, or a wlroots Wayland\n"
    "compositor), records screen positions and keys into its slots, and lists the\n"
    "windows a script can target.\n"
    "\n"
    "  run SCRIPT.dxs        play the script from its first line\n"
    "    --window ENTRY      bring this window to the front first: 8 hexadecimal\n"
    "                        digits of its id, optionally \" - \" and its title;\n"
    "                        or its id as 0x600003 or decimal\n"
    "    --window-name TEXT  ... the first top-level window whose title contains TEXT\n"
    "    --pick              ... the window of the next click\n"
    "    --stop-key COMBO    the key that stops the run (default Ctrl+Alt+Shift+F12)\n"
    "    --play-unfocused    play even when the window did not take the focus\n"
    "    --quiet             print nothing but errors\n"
    "  capture SCRIPT.dxs    store the next click in location slot N (1-") + std::to_string(kLocationSlotCount) + "), or the\n"
    "    --location N        virtual-key code of the next key in key slot N (1-" + std::to_string(kKeySlotCount) + ")\n"
    "    --key N             (Escape cancels a capture and --pick)\n"
    "  record SCRIPT.dxs     record clicks, drags, keys and pauses into a new script\n"
    "    --stop-key COMBO    the key that ends the recording (Ctrl+C ends it too)\n"
    "    --slots             each clicked point into the next free location slot\n"
    "    --no-delays         no DELAY lines\n"
    "    --append            add the lines behind the script's last code line\n"
    "  windows               list the top-level windows, one window entry a line\n"
    "  doctor                say which backend a run would use, why, and what it can\n"
    "                        do there (input, pixels, windows, stop key)\n"
    "  stop                  stop every running dxplay of the user, as the stop key\n"
    "                        does (on Wayland, bind it: in sway\n"
    "                        bindsym Ctrl+Alt+Shift+F12 exec dxplay stop)\n"
    "    --backend NAME      x11, wlroots or portal; default: wlroots when\n"
    "                        WAYLAND_DISPLAY is set and its compositor offers the\n"
    "                        wlroots virtual input, else x11\n"
    "    --output NAME       wlroots: the output script positions count from\n"
    "                        (default: the one at 0,0)\n"
    "\n"
    "Exit status: 0 the run ended (ENDSCRIPT), 1 a line failed, 2 the file cannot\n"
    "be read or saved, 3 no display (or it went away, or the backend cannot do\n"
    "what was asked), 4 no such window, 5 the stop key or dxplay stop stopped the\n"
    "run, 6 the window did not take the focus (nothing played), 7 the window\n"
    "closed during the run, 8 Escape cancelled (nothing written), 64 wrong\n"
    "command line, 130 SIGINT, 143 SIGTERM.\n";

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
inline constexpr std::string_view kMissingCommand = "missing command: run, capture, record, windows, doctor or stop";
inline constexpr std::string_view kMissingSlot = "capture needs --location N or --key N";

inline std::string NoDisplayMessage(std::string_view name) {
  return "cannot open the X display '" + std::string(name) +
         "': dxplay needs an X11 server (an X session or Xwayland) and DISPLAY naming it";
}
inline constexpr std::string_view kNoXTestMessage =
    "the X server has no XTest extension, which dxplay needs to send input";
inline constexpr std::string_view kDisplayLostMessage = "the connection to the X server was lost";

// A KEY line's code that cannot be sent, e.g. "key code $DF has no key on
// the keyboard layout us".
inline std::string NoKeyOnLayoutMessage(std::string_view hex, std::string_view layout) {
  return "key code $" + std::string(hex) + " has no key on the keyboard layout " + std::string(layout);
}
inline std::string NoKeycodeMessage(std::string_view hex) {
  return "key code $" + std::string(hex) + " has no key on the current keyboard map";
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
inline std::string SharedStopKeyWarning(std::string_view combination) {
  return std::string(combination) + " is grabbed by another program too: it stops the run and also reaches that program";
}
inline constexpr std::string_view kFocusNotTaken = "the window did not take the focus; playing anyway";
inline constexpr std::string_view kFocusRefused =
    "the window did not take the focus: nothing was played (--play-unfocused plays anyway)";
inline std::string TargetClosedMessage(int file_line) {
  return "the target window closed or was hidden: the run ended at line " + std::to_string(file_line) +
         " and released every key and button";
}
inline constexpr std::string_view kCaptureCancelled = "cancelled with Escape: nothing was written";
inline constexpr std::string_view kPickCancelled = "cancelled with Escape: nothing was played";
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

inline constexpr std::string_view kNoRecordMessage =
    "the X server has no RECORD extension, which dxplay needs to record input";
inline std::string RecordingPrompt(std::string_view stop_key) {
  return "recording: press " + std::string(stop_key) + " or Ctrl+C here to stop";
}
inline std::string RecordingSaved(std::size_t lines, std::string_view path) {
  return std::to_string(lines) + (lines == 1 ? " line" : " lines") + " written to " + std::string(path);
}
inline std::string ScriptExists(std::string_view path) {
  return std::string(path) + ": the file exists; --append adds the recording to it";
}
inline std::string LeftOutWarning(int wheel_or_extra_buttons, int keys_without_code) {
  return "left out of the recording: " + std::to_string(wheel_or_extra_buttons) +
         " wheel or extra button presses, " + std::to_string(keys_without_code) +
         " presses of keys with no virtual-key code";
}
inline std::string SlotsUsedUp(int points) {
  return "no free location slot for " + std::to_string(points) + (points == 1 ? " point" : " points") +
         ": written as .X.Y";
}
// A recording that could not be saved is printed instead, so it is not lost.
inline constexpr std::string_view kRecordingPrintedInstead = "the recorded lines follow on standard output";

// The status line of a run on a terminal, e.g. "12: MOUSE GO 1".
inline std::string StatusLine(int file_line, std::string_view text) {
  return std::to_string(file_line) + ": " + std::string(text);
}

}  // namespace dx::dxplay_texts
