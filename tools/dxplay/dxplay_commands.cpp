#include "tools/dxplay/dxplay_commands.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "base/file_system.h"
#include "base/format_hex.h"
#include "base/script_error.h"
#include "engine/run_control.h"
#include "engine/window_entry.h"
#include "scriptfile/script_file.h"
#include "texts/dxplay_texts.h"
#include "texts/program_texts.h"
#include "tools/dxplay/command_support.h"
#include "tools/dxplay/dxplay_main_window.h"
#include "player/ancestor_processes.h"
#include "player/messages.h"
#include "player/stop_signals.h"
#include "x11/display.h"
#include "x11/grab.h"
#include "x11/keyboard_map.h"
#include "x11/monitor.h"
#include "x11/stop_key.h"
#include "x11/windows.h"
#include "x11/x11_engine_platform.h"

namespace dx {
namespace {

namespace t = dxplay_texts;

// The target field's text when no window is named: long enough for the
// run to start, handle 0 so that nothing is brought to the front.
constexpr std::string_view kNoWindowTitle = "no window";

StatusLine* g_status = nullptr;  // cleared before the last words of a lost server

}  // namespace

void Error(std::string_view message) {
  if (g_status) g_status->Clear();
  PrintError(message);
}

void Say(std::string_view message, bool quiet) {
  if (!quiet && isatty(STDOUT_FILENO)) std::printf("%.*s\n", static_cast<int>(message.size()), message.data());
  std::fflush(stdout);
}

void DisplayCloser::operator()(Display* d) const { XCloseDisplay(d); }

namespace {

// The server took every key and button state with it: nothing is left to
// release, and no request can be sent any more.
[[noreturn]] void OnDisplayLost() {
  if (g_before_display_lost) g_before_display_lost();
  Error(t::kDisplayLostMessage);
  std::_Exit(kExitNoDisplay);
}

}  // namespace

void (*g_before_display_lost)() = nullptr;

DisplayPtr Open() {
  InstallStopSignals();
  x11::SetDisplayLostHandler(OnDisplayLost);
  std::string error;
  DisplayPtr display(x11::OpenDisplay(error));
  if (!display) Error(error);
  return display;
}

// The script read into `doc`; prints the load's message when it fails.
std::optional<ScriptFileLines> Load(const std::string& path, ScriptDocument& doc, FileSystem& files) {
  const ScriptFileLoad load = TryReadScriptFile(path, doc, files);
  if (load.error) {
    Error(path + ": " + FullStopMessage(*load.error));
    return std::nullopt;
  }
  return load.lines;
}

int StatusAfterSignal(int otherwise) {
  const int signal_number = StopSignalNumber();
  return signal_number != 0 ? ExitStatusOfSignal(signal_number) : otherwise;
}

namespace {

struct Target {
  int status = 0;  // non-zero: the run does not start
  std::string entry;
};

Target PickedWindow(Display* display, bool quiet) {
  Say(t::kPickPrompt, quiet);
  x11::Click click;
  switch (x11::WaitForClick(display, StopSignalFd(), click)) {
    case x11::WaitResult::Woken: return {StatusAfterSignal(kExitRunFailed), {}};
    case x11::WaitResult::GrabRefused: Error(t::kGrabFailed); return {kExitRunFailed, {}};
    case x11::WaitResult::Done: break;
  }
  if (click.root_child == 0) {
    Error(t::kPickedNothing);
    return {kExitNoWindow, {}};
  }
  const uint32_t id = x11::ClientWindowOf(display, click.root_child);
  return {0, WindowEntry(id, x11::EntryTitle(x11::WindowTitle(display, id)))};
}

// The first window whose title holds the text; one of dxplay's own
// terminal only when no other window matches.
std::optional<x11::TitledWindow> WindowTitled(Display* display, const std::string& text) {
  const std::set<uint32_t> ancestors = AncestorProcessIds();
  std::optional<x11::TitledWindow> own_terminal;
  for (const x11::TitledWindow& w : x11::TitledTopLevelWindows(display)) {
    if (w.title.find(text) == std::string::npos) continue;
    if (!ancestors.count(x11::WindowProcessId(display, w.id))) return w;
    if (!own_terminal) own_terminal = w;
  }
  return own_terminal;
}

Target ResolveTarget(const DxplayOptions& o, Display* display) {
  switch (o.target) {
    case DxplayOptions::Target::NoWindow: return {0, WindowEntry(0, kNoWindowTitle)};
    case DxplayOptions::Target::Pick: return PickedWindow(display, o.quiet);
    case DxplayOptions::Target::Entry: {
      uint32_t id = o.window_id;
      if (!x11::WindowExists(display, id) && o.window_id_otherwise) id = *o.window_id_otherwise;
      if (!x11::WindowExists(display, id)) {
        Error(t::NoWindowMessage(FormatHex(o.window_id, kWindowHandleDigits)));
        return {kExitNoWindow, {}};
      }
      return {0, WindowEntry(id, x11::EntryTitle(x11::WindowTitle(display, id)))};
    }
    case DxplayOptions::Target::Name: {
      const std::optional<x11::TitledWindow> w = WindowTitled(display, o.window_name);
      if (w) return {0, WindowEntry(w->id, w->title)};
      Error(t::NoTitledWindowMessage(o.window_name));
      return {kExitNoWindow, {}};
    }
  }
  return {kExitNoWindow, {}};
}

// Ctrl+Alt with F1 to F12 switches consoles in the X server's default
// keyboard map: the server acts on it and no client sees the press.
bool SwitchesConsoles(const KeyCombination& c) {
  constexpr unsigned kCtrlAlt = kModifierControl | kModifierAlt;
  constexpr uint16_t kF1 = 0x70, kF12 = 0x7B;
  return (c.modifiers & kCtrlAlt) == kCtrlAlt && !(c.modifiers & kModifierShift) && c.key >= kF1 && c.key <= kF12;
}

void WarnAboutStopKey(const x11::StopKey& stop_key, const KeyCombination& combination) {
  if (SwitchesConsoles(combination)) Error(t::ConsoleSwitchWarning(CombinationName(combination.modifiers, combination.key)));
  if (stop_key.State() == x11::StopKey::Grab::Held) return;
  const bool taken = stop_key.State() == x11::StopKey::Grab::TakenByAnotherClient;
  Error(NotRegisteredWarning(CombinationName(combination.modifiers, combination.key), taken));
}

int Play(const DxplayOptions& o, const ScriptDocument& doc, ScriptFileLines lines, Display* display,
         std::string entry) {
  x11::X11EnginePlatform platform(display);
  platform.OnFocusRefused([&o] {
    if (!o.quiet) Error(t::kFocusNotTaken);
  });
  const x11::StopKey stop_key(display, o.stop_key);
  WarnAboutStopKey(stop_key, o.stop_key);
  EventLoop events(display, stop_key);
  StatusLine status(stdout, !o.quiet);
  g_status = &status;
  DxplayMainWindow window(doc, lines, std::move(entry), events, status);
  int result = 0;
  try {
    // A signal during the wait for the target's focus stops the run before its first line.
    if (StopSignalNumber() == 0) StartRun(window, platform);
    status.Clear();
  } catch (const ScriptError& e) {
    status.Clear();
    std::fprintf(stderr, "%s:%d: %s\n", o.script_path.c_str(), window.CurrentFileLine(),
                 FullStopMessage(e.what()).c_str());
    result = kExitRunFailed;
  }
  g_status = nullptr;
  return StatusAfterSignal(result);
}

int StoreLocation(const DxplayOptions& o, Display* display, ScriptDocument& doc) {
  Say(t::LocationPrompt(o.slot_number));
  x11::Click click;
  switch (x11::WaitForClick(display, StopSignalFd(), click)) {
    case x11::WaitResult::Woken: return StatusAfterSignal(kExitRunFailed);
    case x11::WaitResult::GrabRefused: Error(t::kGrabFailed); return kExitRunFailed;
    case x11::WaitResult::Done: break;
  }
  const x11::RootPoint p = x11::MonitorPointOfRoot(click.root_x, click.root_y, x11::PrimaryMonitor(display));
  doc.locations[static_cast<std::size_t>(o.slot_number - 1)] = {std::to_string(p.x), std::to_string(p.y)};
  Say(t::LocationStored(o.slot_number, static_cast<int>(p.x), static_cast<int>(p.y)));
  return 0;
}

int StoreKey(const DxplayOptions& o, Display* display, ScriptDocument& doc) {
  Say(t::KeyPrompt(o.slot_number));
  unsigned keycode = 0;
  switch (x11::WaitForKey(display, StopSignalFd(), keycode)) {
    case x11::WaitResult::Woken: return StatusAfterSignal(kExitRunFailed);
    case x11::WaitResult::GrabRefused: Error(t::kGrabFailed); return kExitRunFailed;
    case x11::WaitResult::Done: break;
  }
  std::string keysym_name;
  const auto vk = x11::VirtualKeyOfKeycode(display, keycode, keysym_name);
  if (!vk) {
    Error(t::NoKeyCodeOfKey(keysym_name));
    return kExitRunFailed;
  }
  // As a key slot shows a pressed key's code.
  const std::string code = FormatHex(*vk, 2);
  doc.keys[static_cast<std::size_t>(o.slot_number - 1)] = code;
  Say(t::KeyStored(o.slot_number, code));
  return 0;
}

}  // namespace

int RunCommand(const DxplayOptions& o) {
  NativeFileSystem files;
  ScriptDocument doc;
  const auto lines = Load(o.script_path, doc, files);
  if (!lines) return kExitFileFailed;
  DisplayPtr display = Open();
  if (!display) return kExitNoDisplay;
  Target target = ResolveTarget(o, display.get());
  if (target.status != 0) return target.status;
  return Play(o, doc, *lines, display.get(), std::move(target.entry));
}

int CaptureCommand(const DxplayOptions& o) {
  NativeFileSystem files;
  ScriptDocument doc;
  if (!Load(o.script_path, doc, files)) return kExitFileFailed;
  DisplayPtr display = Open();
  if (!display) return kExitNoDisplay;
  const int status = o.slot == DxplayOptions::Slot::Location ? StoreLocation(o, display.get(), doc)
                                                              : StoreKey(o, display.get(), doc);
  if (status != 0) return status;
  try {
    WriteScriptFile(doc, o.script_path, files);
  } catch (const ScriptError& e) {
    Error(o.script_path + ": " + FullStopMessage(e.what()));
    return kExitFileFailed;
  }
  return 0;
}

int WindowsCommand(const DxplayOptions&) {
  DisplayPtr display = Open();
  if (!display) return kExitNoDisplay;
  for (const x11::TitledWindow& w : x11::TitledTopLevelWindows(display.get())) {
    std::printf("%s\n", WindowEntry(w.id, w.title).c_str());
  }
  return 0;
}

}  // namespace dx
