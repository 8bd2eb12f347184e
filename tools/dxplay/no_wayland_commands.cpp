// dxplay built without its Wayland backend (the Wayland libraries were
// missing): every session plays on X11, and asking for wlroots says why not.
#include "player/exit_statuses.h"
#include "texts/wayland_texts.h"
#include "tools/dxplay/command_support.h"
#include "tools/dxplay/wlroots_commands.h"

namespace dx {
namespace {

int NotBuilt(const DxplayOptions&) {
  Error(wayland_texts::kNotBuiltMessage);
  return kExitNoDisplay;
}

}  // namespace

SessionFacts ProbeSession() { return {}; }
int WlrootsRunCommand(const DxplayOptions& o) { return NotBuilt(o); }
int WlrootsWindowsCommand(const DxplayOptions& o) { return NotBuilt(o); }
bool WlrootsDoctor(const DxplayOptions&, std::vector<std::string>& lines) {
  lines.emplace_back(wayland_texts::kNotBuiltMessage);
  return false;
}

}  // namespace dx
