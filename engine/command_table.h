// The twelve commands of the script language. Each keyword is written here
// and nowhere else: the handlers, their messages, the run loop and the
// script checker all take it from this table.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/key_timing.h"
#include "engine/keyword_rule.h"
#include "engine/loops.h"
#include "engine/mouse_command.h"
#include "engine/run_state.h"
#include "engine/variables.h"

namespace dx {

// Each names its row of kCommandTable, by position.
enum class Command { Mouse, Key, EndScript, Delay, Loop, EndLoop, Long, Beep, GetColor, Repeat, Until, UntilNe };

// What may follow a keyword: how the checker tells a near miss from free
// text.
enum class OperandShape { Nothing, Number, Name, TwoOperands, MouseAction, KeyCode };

struct CommandEntry {
  Command command;
  std::string_view keyword;  // exactly as MatchKeyword compares it; six end in a blank
  CommandHandler handler;
  OperandShape operands;
  std::string_view placeholder;  // the operands a suggestion writes where a line has none
};

// The rows stand in the order of the run loop's keyword table and follow
// Command, which indexes them. Since no line matches two keywords, the order
// never decides which handler runs a line.
inline constexpr std::array<CommandEntry, 12> kCommandTable = {{
    {Command::Mouse, "MOUSE", MouseCommand, OperandShape::MouseAction, "GO 1"},
    {Command::Key, "KEY", KeyCommand, OperandShape::KeyCode, "$0D PRESS"},
    {Command::EndScript, "ENDSCRIPT", EndScriptCommand, OperandShape::Nothing, ""},
    {Command::Delay, "DELAY ", DelayCommand, OperandShape::Number, "500"},
    {Command::Loop, "LOOP ", LoopCommand, OperandShape::Number, "3"},
    {Command::EndLoop, "ENDLOOP", EndLoopCommand, OperandShape::Nothing, ""},
    {Command::Long, "LONG ", LongCommand, OperandShape::Name, "name"},
    {Command::Beep, "BEEP", BeepCommand, OperandShape::Nothing, ""},
    {Command::GetColor, "GETCOLOR ", GetColorCommand, OperandShape::TwoOperands, "name 1"},
    {Command::Repeat, "REPEAT", RepeatCommand, OperandShape::Nothing, ""},
    {Command::Until, "UNTIL ", UntilCommand, OperandShape::TwoOperands, "a b"},
    {Command::UntilNe, "UNTILNE ", UntilNeCommand, OperandShape::TwoOperands, "a b"},
}};

constexpr bool TableFollowsTheEnum() {
  for (std::size_t i = 0; i < kCommandTable.size(); ++i) {
    if (static_cast<std::size_t>(kCommandTable[i].command) != i) return false;
  }
  return true;
}
static_assert(TableFollowsTheEnum(), "kCommandTable rows must follow the order of Command");

constexpr const CommandEntry& EntryOf(Command command) { return kCommandTable[static_cast<std::size_t>(command)]; }

constexpr std::string_view Keyword(Command command) { return EntryOf(command).keyword; }

// The keyword without its blank, as messages name the command ("LOOP").
constexpr std::string_view CommandName(Command command) {
  std::string_view keyword = Keyword(command);
  if (!keyword.empty() && keyword.back() == ' ') keyword.remove_suffix(1);
  return keyword;
}

inline bool LineIs(std::string_view line, Command command) { return MatchKeyword(line, Keyword(command)); }

// Everything behind the keyword's characters: the operands of a keyword
// that ends in a blank.
inline std::string_view TextAfterKeyword(std::string_view line, Command command) {
  return line.substr(std::min(line.size(), Keyword(command).size()));
}

// The command whose keyword the (stripped) line matches; no line matches two.
std::optional<Command> MatchCommand(std::string_view line);

// Offers the stripped line to the handlers: the one whose keyword it
// matches runs; a line that is no command does nothing. Since no line
// matches two keywords, one keyword test per row finds that handler, and
// no handler tests its own line again.
void OfferLine(std::string_view line, RunState& state);

}  // namespace dx
