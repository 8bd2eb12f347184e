// The three commands of dxplay; each returns the process exit status and
// prints its messages on standard error.
#pragma once

#include "tools/dxplay/dxplay_options.h"

namespace dx {

// Exit statuses besides 0 (success) and the signals' 128 + number.
inline constexpr int kExitRunFailed = 1;     // a line failed; a capture failed
inline constexpr int kExitFileFailed = 2;    // the script cannot be read, or saved
inline constexpr int kExitNoDisplay = 3;     // no X display, no XTest, or the server went away
inline constexpr int kExitNoWindow = 4;      // the target window does not exist
inline constexpr int kExitStopped = 5;       // the stop key ended the run
inline constexpr int kExitNoFocus = 6;       // the target did not take the focus: nothing played
inline constexpr int kExitTargetClosed = 7;  // the target window closed during the run
inline constexpr int kExitCancelled = 8;     // Escape cancelled a capture or --pick: nothing written or played
inline constexpr int kExitUsage = 64;

int RunCommand(const DxplayOptions& options);
int CaptureCommand(const DxplayOptions& options);
int WindowsCommand(const DxplayOptions& options);

}  // namespace dx
