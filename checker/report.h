// The checker's findings as text for people and editors
// ("FILE:LINE:COLUMN: severity: message [rule]", a suggestion line, a
// summary line) or as a JSON array for other tools.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

#include "checker/diagnostic.h"

namespace dx::check {

struct Counts {
  int errors = 0;
  int warnings = 0;
  int notes = 0;
};

Counts CountOf(const std::vector<Diagnostic>& diagnostics);

void PrintText(std::ostream& out, std::string_view file, const std::vector<Diagnostic>& diagnostics);
void PrintJson(std::ostream& out, std::string_view file, const std::vector<Diagnostic>& diagnostics);

}  // namespace dx::check
