#include "tools/dxplay/wlroots_commands.h"

#include <cstdlib>
#include <memory>
#include <optional>

#include "base/format_hex.h"
#include "base/script_error.h"
#include "engine/window_entry.h"
#include "player/exit_statuses.h"
#include "player/run_registry.h"
#include "player/stop_signals.h"
#include "texts/backend_texts.h"
#include "texts/dxplay_texts.h"
#include "texts/program_texts.h"
#include "texts/wayland_texts.h"
#include "tools/dxplay/command_support.h"
#include "wayland/connection.h"
#include "wayland/keymap.h"
#include "wayland/toplevels.h"
#include "wayland/wayland_engine_platform.h"

namespace dx {
namespace {

namespace t = dxplay_texts;
namespace bt = backend_texts;
namespace wt = wayland_texts;
using wayland::Connection;

constexpr std::string_view kNoWindowTitle = "no window";
constexpr int kFocusWaitMs = 500;

// The compositor took every device of this client with it; the buttons it
// held were released when the pointer went.
[[noreturn]] void OnCompositorLost(const std::string& message) {
  Error(message);
  std::_Exit(kExitNoDisplay);
}

class WaylandRunEvents final : public RunEvents {
 public:
  explicit WaylandRunEvents(Connection& connection) : connection_(connection) {}
  bool Deliver(uint64_t wait_ms) override {
    if (StopSignalNumber() == 0) connection_.Dispatch(wait_ms, StopSignalFd());
    return StopSignalNumber() != 0;
  }

 private:
  Connection& connection_;
};

std::unique_ptr<Connection> OpenCompositor() {
  InstallStopSignals();
  wayland::SetCompositorLostHandler(OnCompositorLost);
  std::string error;
  auto connection = Connection::Open(error);
  if (!connection) Error(error);
  return connection;
}

std::string OutputNames(const std::vector<wayland::OutputInfo>& outputs) {
  std::string names;
  for (const auto& o : outputs) names += (names.empty() ? "" : ", ") + o.name;
  return names;
}

std::optional<wayland::OutputInfo> Primary(const DxplayOptions& o, Connection& connection) {
  const auto outputs = connection.Outputs();
  const wayland::OutputInfo* primary = wayland::PrimaryOutput(outputs, o.output);
  if (primary != nullptr) return *primary;
  Error(o.output.empty() ? std::string(wt::kNoOutputMessage) : wt::NoOutputNamedMessage(o.output, OutputNames(outputs)));
  return std::nullopt;
}

bool HasInput(Connection& connection) {
  const auto& g = connection.Global();
  if (g.pointer_manager == nullptr) Error(wt::MissingProtocolMessage("wlr-virtual-pointer-unstable-v1", wt::kPointerPurpose));
  else if (g.keyboard_manager == nullptr) Error(wt::MissingProtocolMessage("virtual-keyboard-unstable-v1", wt::kKeyboardPurpose));
  else if (g.seat == nullptr) Error(wt::kNoSeatMessage);
  else return true;
  return false;
}

struct Target {
  int status = 0;  // non-zero: the run does not start
  std::string entry;
};

Target ResolveTarget(const DxplayOptions& o, Connection& connection, std::unique_ptr<wayland::Toplevels>& toplevels) {
  using T = DxplayOptions::Target;
  if (o.target == T::NoWindow) return {0, WindowEntry(0, kNoWindowTitle)};
  if (o.target == T::Pick) {
    Error(bt::kPickRefused);
    return {kExitNoDisplay, {}};
  }
  if (!connection.OffersToplevels()) {
    Error(bt::kNoWindowsHere);
    return {kExitNoDisplay, {}};
  }
  toplevels = std::make_unique<wayland::Toplevels>(connection);
  if (o.target == T::Entry) {
    if (const wayland::Toplevel* w = toplevels->Find(o.window_id)) return {0, WindowEntry(w->id, w->title)};
    Error(t::NoWindowMessage(FormatHex(o.window_id, 8)));
    return {kExitNoWindow, {}};
  }
  for (const wayland::Toplevel* w : toplevels->List()) {
    if (w->title.find(o.window_name) != std::string::npos) return {0, WindowEntry(w->id, w->title)};
  }
  Error(t::NoTitledWindowMessage(o.window_name));
  return {kExitNoWindow, {}};
}

}  // namespace

SessionFacts ProbeSession() {
  SessionFacts facts;
  const char* name = std::getenv("WAYLAND_DISPLAY");
  facts.wayland_display = name != nullptr && name[0] != '\0';
  if (!facts.wayland_display) return facts;
  std::string error;
  const wayland::Offer offer = wayland::ProbeCompositor(error);
  facts.wlroots_input = offer.pointer && offer.keyboard;
  return facts;
}

int WlrootsRunCommand(const DxplayOptions& o) {
  NativeFileSystem files;
  ScriptDocument doc;
  const auto lines = Load(o.script_path, doc, files);
  if (!lines) return kExitFileFailed;
  const auto connection = OpenCompositor();
  if (!connection || !HasInput(*connection)) return kExitNoDisplay;
  const auto primary = Primary(o, *connection);
  if (!primary) return kExitNoDisplay;
  std::unique_ptr<wayland::Toplevels> toplevels;
  Target target = ResolveTarget(o, *connection, toplevels);
  if (target.status != 0) return target.status;
  const auto keymap = wayland::BuildKeymap(wayland::KeymapSource{});
  if (!keymap) {
    Error(wt::kKeymapFailedMessage);
    return kExitNoDisplay;
  }
  if (o.stop_key.modifiers != kDefaultStopModifiers || o.stop_key.key != kDefaultStopKey) Error(bt::kStopKeyOption);
  std::optional<RunRegistration> registration(std::in_place);
  try {
    wayland::WaylandEnginePlatform platform(*connection, *primary, *keymap);
    platform.OnBringToFront([&](uint32_t id) {
      if (toplevels && !toplevels->Activate(id, kFocusWaitMs) && !o.quiet) Error(t::kFocusNotTaken);
    });
    WaylandRunEvents events(*connection);
    const int status = PlayScript(o, doc, *lines, std::move(target.entry), platform, events);
    // The run has ended and released what it held: `dxplay stop` need not
    // wait for the devices' farewell.
    registration.reset();
    return status;
  } catch (const ScriptError& e) {
    Error(FullStopMessage(e.what()));
    return kExitNoDisplay;
  }
}

int WlrootsWindowsCommand(const DxplayOptions&) {
  const auto connection = OpenCompositor();
  if (!connection) return kExitNoDisplay;
  if (!connection->OffersToplevels()) {
    Error(bt::kNoWindowsHere);
    return kExitNoDisplay;
  }
  wayland::Toplevels toplevels(*connection);
  for (const wayland::Toplevel* w : toplevels.List()) std::printf("%s\n", WindowEntry(w->id, w->title).c_str());
  return kExitSuccess;
}

bool WlrootsDoctor(const DxplayOptions& o, std::vector<std::string>& lines) {
  wayland::SetCompositorLostHandler(OnCompositorLost);
  std::string error;
  const auto connection = Connection::Open(error);
  if (!connection) {
    lines.push_back(error);
    return false;
  }
  const auto& g = connection->Global();
  const bool input = g.pointer_manager != nullptr && g.keyboard_manager != nullptr && g.seat != nullptr;
  lines.push_back(bt::CanLine(bt::kInput, input, bt::kWlrootsInput));
  lines.push_back(bt::CanLine(bt::kPixels, g.screencopy_manager != nullptr && g.shm != nullptr, bt::kWlrootsPixels));
  lines.push_back(bt::CanLine(bt::kWindows, connection->OffersToplevels(), bt::kWlrootsWindows));
  lines.push_back(bt::CanLine(bt::kStopKey, false, bt::kWlrootsStopKey));
  const auto outputs = connection->Outputs();
  const wayland::OutputInfo* primary = wayland::PrimaryOutput(outputs, o.output);
  for (const auto& out : outputs) {
    lines.push_back(bt::OutputLine(out.name, out.x, out.y, out.width, out.height, out.scale, &out == primary));
  }
  if (primary == nullptr) {
    lines.push_back(o.output.empty() ? std::string(wt::kNoOutputMessage)
                                     : wt::NoOutputNamedMessage(o.output, OutputNames(outputs)));
  }
  return input && primary != nullptr;
}

}  // namespace dx
