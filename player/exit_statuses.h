// dxplay's exit statuses, whichever host it plays on. A new status is a
// constant and its row in kDxplayExitStatuses; a test checks that the man
// page, the README and the manual state every row, and no other.
#pragma once

namespace dx {

inline constexpr int kExitSuccess = 0;     // the run ended; the capture was stored; the windows were listed
inline constexpr int kExitRunFailed = 1;   // a line failed; a capture failed
inline constexpr int kExitFileFailed = 2;  // the script cannot be read, or saved
inline constexpr int kExitNoDisplay = 3;   // no display, no synthetic input, or the display went away
inline constexpr int kExitNoWindow = 4;    // the target window does not exist
inline constexpr int kExitUsage = 64;      // a wrong command line

inline constexpr int kDxplayExitStatuses[] = {
    kExitSuccess,
    kExitRunFailed,
    kExitFileFailed,
    kExitNoDisplay,
    kExitNoWindow,
    kExitUsage,
};
// Besides these, a stop signal ends the process with ExitStatusOfSignal
// of its number (player/stop_signals.h).

}  // namespace dx
