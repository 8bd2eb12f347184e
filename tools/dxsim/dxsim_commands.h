// The two commands of dxsim. Each writes its report to `out` and returns
// the process exit status.
#pragma once

#include <ostream>

#include "tools/dxsim/dxsim_options.h"

namespace dx {

// Exit status: 0 when the run ended (ENDSCRIPT, or the line bound), 1 when
// a line failed, 2 when the script file could not be loaded.
int RunScriptFile(const DxsimOptions& options, std::ostream& out);
// 0, or 2 when reading or writing failed.
int ResaveScriptFile(const DxsimOptions& options, std::ostream& out);
// 0 with no error (and, with --werror, no warning), 1 otherwise, 2 when the
// file cannot be read or loaded.
int CheckScriptFile(const DxsimOptions& options, std::ostream& out);

}  // namespace dx
