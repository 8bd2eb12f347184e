// The words behind MOUSE and KEY, which a run reads by character position:
// a mouse action it does not know, a key word glued to the code or hidden
// inside another word, and the mouse words people bring from other tools.
#pragma once

#include <string_view>

#include "checker/code_line.h"
#include "engine/key_timing.h"
#include "engine/mouse_command.h"

namespace dx::check {

// A word of a MOUSE line that means a mouse action to people ("CLICK",
// "RIGHT", "MOVE", a number): how "MOUSE LEFT CLICK" is told from
// "Mouse to the button".
bool IsMouseWord(std::string_view token);

// A MOUSE line with no action the run knows ("MOUSE CLICK", "MOUSE LEFT").
void CheckMouseAction(const CodeLine& line, const MouseOperands& operands, Findings& findings);

// A KEY line whose code converted: its word glued to the code
// ("KEY $41PRESS") or hidden inside another word ("KEY $41 SETUP").
void CheckKeyWords(const CodeLine& line, const KeyOperands& operands, Findings& findings);

}  // namespace dx::check
