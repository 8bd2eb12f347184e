#include "tools/dxplay/dxplay_commands.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/format_hex.h"
#include "base/script_error.h"
#include "engine/window_entry.h"
#include "scriptfile/script_file.h"
#include "texts/backend_texts.h"
#include "texts/dxplay_texts.h"
#include "texts/program_texts.h"
#include "tools/dxplay/command_support.h"
#include "tools/dxplay/event_loop.h"
#include "tools/dxplay/wlroots_commands.h"
#include "player/ancestor_processes.h"
#include "player/backend_choice.h"
#include "player/run_registry.h"
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

// How long `dxplay stop` waits for the runs it stopped to end.
constexpr int kStopWaitMs = 2000;

// The target field's text when no window is named: long enough for the
// run to start, handle 0 so that nothing is brought to the front.
constexpr std::string_view kNoWindowTitle = "no window";

}  // namespace

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
    case x11::WaitResult::Cancelled: Error(t::kPickCancelled); return {kExitCancelled, {}};
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
  if (taken && stop_key.SeenThroughRawEvents()) {
    Error(t::SharedStopKeyWarning(CombinationName(combination.modifiers, combination.key)));
    return;
  }
  Error(NotRegisteredWarning(CombinationName(combination.modifiers, combination.key), taken));
}

int Play(const DxplayOptions& o, const ScriptDocument& doc, ScriptFileLines lines, Display* display,
         std::string entry) {
  x11::X11EnginePlatform platform(display);
  platform.OnFocusRefused([&o] {
    if (!o.play_unfocused) throw FocusRefused{};
    if (!o.quiet) Error(t::kFocusNotTaken);
  });
  x11::StopKey stop_key(display, o.stop_key);
  WarnAboutStopKey(stop_key, o.stop_key);
  EventLoop events(display, stop_key);
  events.WatchTarget(HandleOfWindowEntry(entry));
  // The destruction may not have been read yet: read what has arrived first.
  platform.OnBeforePress([&events] {
    events.Deliver(0);
    if (events.TargetClosed()) throw TargetClosed{};
  });
  return PlayScript(o, doc, lines, std::move(entry), platform, events);
}

int StoreLocation(const DxplayOptions& o, Display* display, ScriptDocument& doc) {
  Say(t::LocationPrompt(o.slot_number));
  x11::Click click;
  switch (x11::WaitForClick(display, StopSignalFd(), click)) {
    case x11::WaitResult::Woken: return StatusAfterSignal(kExitRunFailed);
    case x11::WaitResult::GrabRefused: Error(t::kGrabFailed); return kExitRunFailed;
    case x11::WaitResult::Cancelled: Error(t::kCaptureCancelled); return kExitCancelled;
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
    case x11::WaitResult::Cancelled: Error(t::kCaptureCancelled); return kExitCancelled;
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

// The backend a command plays on; nothing for X11, which the caller
// handles, else the status of the other backend's command.
std::optional<int> OnOtherBackend(const DxplayOptions& o, int (*wlroots)(const DxplayOptions&)) {
  switch (ChooseBackend(o.backend, ProbeSession()).backend) {
    case Backend::X11: return std::nullopt;
    case Backend::Wlroots: return wlroots(o);
    case Backend::Portal: break;
  }
  Error(backend_texts::kPortalRefused);
  return kExitNoDisplay;
}

int RefuseCapture(const DxplayOptions&) {
  Error(backend_texts::kCaptureRefused);
  return kExitRunFailed;
}

// The X11 facts of `dxplay doctor`; false when a run cannot play there.
bool X11Doctor(std::vector<std::string>& lines) {
  namespace bt = backend_texts;
  std::string error;
  DisplayPtr display(x11::OpenDisplay(error));
  if (!display) {
    lines.push_back(error);
    return false;
  }
  lines.push_back(bt::CanLine(bt::kInput, true, bt::kX11Input));
  lines.push_back(bt::CanLine(bt::kPixels, true, bt::kX11Pixels));
  lines.push_back(bt::CanLine(bt::kWindows, true, bt::kX11Windows));
  lines.push_back(bt::CanLine(bt::kStopKey, true, bt::kX11StopKey));
  const x11::MonitorRect m = x11::PrimaryMonitor(display.get());
  lines.push_back(bt::OutputLine(DisplayString(display.get()), m.x, m.y, m.width, m.height, 1, true));
  return true;
}

}  // namespace

int RunCommand(const DxplayOptions& o) {
  if (const auto status = OnOtherBackend(o, WlrootsRunCommand)) return *status;
  NativeFileSystem files;
  ScriptDocument doc;
  const auto lines = Load(o.script_path, doc, files);
  if (!lines) return kExitFileFailed;
  DisplayPtr display = Open();
  if (!display) return kExitNoDisplay;
  Target target = ResolveTarget(o, display.get());
  if (target.status != 0) return target.status;
  const RunRegistration registration;
  return Play(o, doc, *lines, display.get(), std::move(target.entry));
}

int CaptureCommand(const DxplayOptions& o) {
  if (const auto status = OnOtherBackend(o, RefuseCapture)) return *status;
  NativeFileSystem files;
  ScriptDocument doc;
  if (!Load(o.script_path, doc, files)) return kExitFileFailed;
  DisplayPtr display = Open();
  if (!display) return kExitNoDisplay;
  const int status = o.slot == DxplayOptions::Slot::Location ? StoreLocation(o, display.get(), doc)
                                                              : StoreKey(o, display.get(), doc);
  if (status != 0) return status;
  try {
    const bool location = o.slot == DxplayOptions::Slot::Location;
    SaveSlotIntoScriptFile(o.script_path, doc, {location, o.slot_number}, files);
  } catch (const ScriptError& e) {
    Error(o.script_path + ": " + FullStopMessage(e.what()));
    return kExitFileFailed;
  }
  return 0;
}

int WindowsCommand(const DxplayOptions& o) {
  if (const auto status = OnOtherBackend(o, WlrootsWindowsCommand)) return *status;
  DisplayPtr display = Open();
  if (!display) return kExitNoDisplay;
  for (const x11::TitledWindow& w : x11::TitledTopLevelWindows(display.get())) {
    std::printf("%s\n", WindowEntry(w.id, w.title).c_str());
  }
  return 0;
}

int DoctorCommand(const DxplayOptions& o) {
  const BackendChoice choice = ChooseBackend(o.backend, ProbeSession());
  std::vector<std::string> lines{backend_texts::BackendLine(BackendName(choice.backend), choice.reason)};
  bool can_play = false;
  switch (choice.backend) {
    case Backend::X11: can_play = X11Doctor(lines); break;
    case Backend::Wlroots: can_play = WlrootsDoctor(o, lines); break;
    case Backend::Portal: lines.emplace_back(backend_texts::kPortalRefused); break;
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return can_play ? kExitSuccess : kExitNoDisplay;
}

int StopCommand(const DxplayOptions&) {
  const StopResult result = StopRuns(kStopWaitMs);
  Say(backend_texts::StoppedRuns(result.stopped, result.still_running));
  return result.still_running > 0 ? kExitRunFailed : kExitSuccess;
}

}  // namespace dx
