// The three commands of dxplay; each returns the process exit status and
// prints its messages on standard error.
#pragma once

#include "player/dxplay_options.h"
#include "player/exit_statuses.h"

namespace dx {

int RunCommand(const DxplayOptions& options);
int CaptureCommand(const DxplayOptions& options);
int WindowsCommand(const DxplayOptions& options);
int RecordCommand(const DxplayOptions& options);  // record_command.cpp

}  // namespace dx
