#include "engine/loops.h"

#include "engine/command_table.h"
#include "base/integer_rule.h"
#include "texts/program_texts.h"
#include "engine/keyword_rule.h"
#include "engine/run_state.h"
#include "base/script_error.h"

namespace dx {
namespace {

// Both kinds share ResumeOffsets; each open block owns one entry there, so
// it is never empty while a block of either kind is open.
int32_t TopResumeOffset(const RunState& state) {
  return state.ResumeOffsets.empty() ? state.LineOffset : state.ResumeOffsets.back();
}

void PopResumeOffset(RunState& state) {
  if (!state.ResumeOffsets.empty()) state.ResumeOffsets.pop_back();
}

// Closes the innermost REPEAT block when the comparison says so (UNTIL on
// equal values, UNTILNE on different ones), else jumps back to its start.
void CloseOrRepeat(std::string_view line, RunState& state, Command command, bool equal_closes) {
  if (state.RepeatLines.empty()) throw ScriptError(NoOpenBlockMessage(line, CommandName(Command::Repeat)));
  const OperandPair names = SplitAtFirstBlank(TextAfterKeyword(line, command));
  const int32_t a = state.Variables.GetVariable(names.first);
  const int32_t b = state.Variables.GetVariable(names.second);
  if ((a == b) == equal_closes) {
    state.RepeatLines.pop_back();
    PopResumeOffset(state);
    return;
  }
  state.LineIndex = state.RepeatLines.back();
  state.LineOffset = TopResumeOffset(state);
}

}  // namespace

void LoopCommand(std::string_view line, RunState& state) {
  const int32_t count = StrToInt(TextAfterKeyword(line, Command::Loop));
  state.LoopLines.push_back(state.LineIndex);
  state.LoopCounts.push_back(count);
  state.ResumeOffsets.push_back(state.LineOffset);
}

void EndLoopCommand(std::string_view line, RunState& state) {
  if (state.LoopCounts.empty()) throw ScriptError(NoOpenBlockMessage(line, CommandName(Command::Loop)));
  // Counted in 64 bits: a count of -2147483648 must not wrap to a huge one.
  const int64_t remaining = static_cast<int64_t>(state.LoopCounts.back()) - 1;
  if (remaining > 0) {
    state.LoopCounts.back() = static_cast<int32_t>(remaining);
    state.LineIndex = state.LoopLines.back();
    state.LineOffset = TopResumeOffset(state);
    return;
  }
  state.LoopLines.pop_back();
  state.LoopCounts.pop_back();
  PopResumeOffset(state);
}

void RepeatCommand(std::string_view, RunState& state) {
  state.RepeatLines.push_back(state.LineIndex);
  state.ResumeOffsets.push_back(state.LineOffset);
}

void UntilCommand(std::string_view line, RunState& state) {
  CloseOrRepeat(line, state, Command::Until, true);
}

void UntilNeCommand(std::string_view line, RunState& state) {
  CloseOrRepeat(line, state, Command::UntilNe, false);
}

}  // namespace dx
