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
};

// The findings for the document's code lines, against its own slots, in
// line order.
std::vector<Diagnostic> CheckScript(const ScriptDocument& document, const CheckOptions& options = {});

}  // namespace dx::check
