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
inline constexpr int kExitUsage = 64;

int RunCommand(const DxplayOptions& options);
int CaptureCommand(const DxplayOptions& options);
int WindowsCommand(const DxplayOptions& options);
int RecordCommand(const DxplayOptions& options);  // record_command.cpp

}  // namespace dx
