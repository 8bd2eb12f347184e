// Starting, running and ending a script run.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/host.h"
#include "engine/run_state.h"

namespace dx {

// Hosts that must not run forever (the simulator, tests, fuzzing) bound the
// number of lines a run may run; 0 means no bound.
struct RunOptions {
  int64_t MaxLines = 0;
};

enum class RunOutcome {
  NotStarted,        // a stop request, an empty script, no window, or a nested start
  Ended,             // ENDSCRIPT, a stop request or the application closing
  LineBoundReached,  // RunOptions::MaxLines lines have run
};

// The click handler of the go/stop button. Returns only when the run has
// ended. A failing line ends the run (its end-of-run steps included) and its
// ScriptError then propagates to the caller, which shows it.
RunOutcome BGOClick(MainWindow& owner, EnginePlatform& platform, const RunOptions& options = {});

// Runs passes over the script until a stop; called only by BGOClick.
RunOutcome RunScript(MainWindow& owner, EnginePlatform& platform, const RunOptions& options = {});

// The number written by the first eight characters of EditWin, read as
// hexadecimal.
uint32_t GetTargetWindow(MainWindow& owner);

// The editor's line count without an empty last line.
int32_t ScriptLineCount(MainWindow& owner);

}  // namespace dx
