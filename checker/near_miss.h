// Lines that no command matches but that look like one: a keyword without
// its blank, a keyword split by a blank, a keyword with one letter wrong,
// missing or extra. Free text that does not look like a command is the
// language's comment and is left alone.
#pragma once

#include "checker/code_line.h"

namespace dx::check {

// `line` matches no command.
void CheckNearMiss(const CodeLine& line, Findings& findings);

}  // namespace dx::check
