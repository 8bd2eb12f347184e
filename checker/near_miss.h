// Lines that look like something they are not. A line that no command
// matches but that looks like one: a keyword without its blank, split by a
// blank, with one letter wrong, missing or extra, or another tool's word
// for a command. A line a command matches that reads as free text: a
// comment that starts with a keyword. Free text that looks like nothing is
// the language's comment and is left alone; a line that starts with ';'
// always is one.
#pragma once

#include <string>
#include <string_view>

#include "checker/code_line.h"
#include "engine/command_table.h"

namespace dx::check {

// Two variables a suggested UNTILNE line may name, the older first; either
// may be "" when fewer are declared.
struct UntilNames {
  std::string_view first;
  std::string_view second;
};

// `line` matches no command.
void CheckNearMiss(const CodeLine& line, UntilNames names, Findings& findings);

// `line` matches `command`: the line's first word when the line reads as
// free text (three words or more, a word behind the first, and a first
// word longer than the keyword or operands unlike the command's), else "".
std::string_view FirstWordIfText(const CodeLine& line, Command command);

}  // namespace dx::check
