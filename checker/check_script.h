// The script checker: finds, before a run, every code line that would
// fail, do nothing, or run away. It reads each line with the engine's own
// keyword table, operand readers and integer rule, so that it cannot drift
// from what a run does.
#pragma once

#include <vector>

#include "checker/diagnostic.h"
#include "checker/operand_checks.h"
#include "scriptfile/script_document.h"

namespace dx::check {

struct CheckOptions {
  Screen screen;
  // The number the host shows for code line 1, for messages that name
  // another line (a file's line in dxsim, 1 in the program's memo).
  int first_line = 1;
};

// The findings for the document's code lines, against its own slots, in
// line order. Diagnostic::line counts code lines from 1 whatever
// first_line says: each host turns it into its own line number.
std::vector<Diagnostic> CheckScript(const ScriptDocument& document, const CheckOptions& options = {});

}  // namespace dx::check
