// The one door through which a host starts a run and asks it to stop. The
// window hears of the run's phase through MainWindow::RunPhaseChanged.
#pragma once

#include <cstdint>

#include "engine/host.h"

namespace dx {

// Hosts that must not run forever (the simulator, tests, fuzzing) bound the
// number of lines a run may run; 0 means no bound.
struct RunOptions {
  int64_t MaxLines = 0;
};

enum class RunOutcome {
  NotStarted,        // a stop click, an empty script, no window, or a run already on the stack
  Ended,             // ENDSCRIPT, a stop request or the application closing
  LineBoundReached,  // RunOptions::MaxLines lines have run
};

// Starts a run and returns only when it has ended. Refused while a run is
// on the stack (also one asked to stop: its caller's messages may start
// another), for a script without lines, and without a window named (with
// a plain message). A failing line ends the run (its end-of-run steps
// included) and its ScriptError then propagates to the caller, which
// shows it.
RunOutcome StartRun(MainWindow& owner, EnginePlatform& platform, const RunOptions& options = {});

// Asks the run to end after its current line. While no run goes on the
// request stays set, and the next run clears it when it starts.
void RequestStop(MainWindow& owner);

// Moves the phase and tells the window; for the run loop.
void EnterRunPhase(MainWindow& owner, RunPhase phase);

}  // namespace dx
