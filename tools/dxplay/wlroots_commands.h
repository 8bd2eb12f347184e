// dxplay's commands on a wlroots compositor, and what the session offers
// for choosing a backend.
#pragma once

#include <string>
#include <vector>

#include "player/backend_choice.h"
#include "player/dxplay_options.h"

namespace dx {

// WAYLAND_DISPLAY, and whether its compositor offers the wlroots virtual input.
SessionFacts ProbeSession();

int WlrootsRunCommand(const DxplayOptions& options);
int WlrootsWindowsCommand(const DxplayOptions& options);
// What a wlroots run can do here, one fact a line; false when it cannot play.
bool WlrootsDoctor(const DxplayOptions& options, std::vector<std::string>& lines);

}  // namespace dx
