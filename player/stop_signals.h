// SIGINT, SIGTERM, SIGHUP and SIGQUIT as stop requests: the handler notes
// the signal and writes to a pipe, so that a host's wait on its display
// connection wakes at once. SIGPIPE is ignored.
#pragma once

#include <csignal>

namespace dx {

// The signals that stop a run, each with its own exit status.
inline constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Installs the handlers and opens the pipe; call once, before any wait.
void InstallStopSignals();
// The read end of the pipe: readable once a signal has arrived.
int StopSignalFd();
// The last stop signal that arrived, 0 for none.
int StopSignalNumber();
// The exit status after a stop signal: 128 + its number (130, 143, 129, 131).
constexpr int ExitStatusOfSignal(int signal_number) { return 128 + signal_number; }

}  // namespace dx
