// SIGINT, SIGTERM, SIGHUP and SIGQUIT as stop requests: the handler notes
// the signal and writes to a pipe, so that a wait on the X connection wakes
// at once. SIGPIPE is ignored.
#pragma once

namespace dx {

// Installs the handlers and opens the pipe; call once, before any wait.
void InstallStopSignals();
// The read end of the pipe: readable once a signal has arrived.
int StopSignalFd();
// The last stop signal that arrived, 0 for none.
int StopSignalNumber();
// The exit status after a stop signal: 128 + its number (130, 143, 129, 131).
inline int ExitStatusOfSignal(int signal_number) { return 128 + signal_number; }

}  // namespace dx
