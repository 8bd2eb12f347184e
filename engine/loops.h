// Counted blocks (LOOP .. ENDLOOP) and conditional blocks (REPEAT .. UNTIL /
// UNTILNE). A closing line jumps back by setting LineIndex to the opening
// line; the run loop's increment then continues with the first inner line.
#pragma once

#include <string_view>

namespace dx {

struct RunState;

void LoopCommand(std::string_view line, RunState& state);
void EndLoopCommand(std::string_view line, RunState& state);
void RepeatCommand(std::string_view line, RunState& state);
void UntilCommand(std::string_view line, RunState& state);
void UntilNeCommand(std::string_view line, RunState& state);

}  // namespace dx
