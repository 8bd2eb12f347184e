// Running and ending a script run.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/host.h"
#include "engine/run_control.h"
#include "engine/run_state.h"

namespace dx {

// Runs passes over the script until a stop; called only by StartRun
// (engine/run_control.h), which hosts use.
RunOutcome RunScript(MainWindow& owner, EnginePlatform& platform, const RunOptions& options = {});

// The number written by the first eight characters of EditWin, read as
// hexadecimal.
uint32_t GetTargetWindow(MainWindow& owner);

// The editor's line count without an empty last line.
int32_t ScriptLineCount(MainWindow& owner);

}  // namespace dx
