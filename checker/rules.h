// The rules of the script checker: one row each, with the stable name that
// diagnostics, editors and the manual use. A name never changes once
// published; a rule that goes away leaves its name unused.
#pragma once

#include <array>
#include <string_view>

namespace dx::check {

enum class Severity { Error, Warning, Note };

enum class Rule {
  UnreadableFile,
  InvalidInteger,
  InvalidSlotValue,
  IncompleteCommand,
  NoOpenBlock,
  MissingBlank,
  SplitKeyword,
  MisspeltKeyword,
  UndeclaredVariable,
  VariableNameMismatch,
  LoopCountNotPositive,
  UnclosedBlock,
  CrossedBlocks,
  EndlessRepeat,
  HeldAtEnd,
  SlotBeforeMove,
  OffScreen,
  NoEndScript,
};

struct RuleRow {
  Rule rule;
  std::string_view name;
  Severity severity;
  std::string_view summary;  // what the rule finds, one line
  std::string_view example;  // a code line (or lines, joined by " / ") it reports
};

inline constexpr std::array<RuleRow, 18> kRules = {{
    {Rule::UnreadableFile, "unreadable-file", Severity::Error,
     "the file cannot be read or loaded; nothing else is checked", "(a missing file)"},
    {Rule::InvalidInteger, "invalid-integer", Severity::Error,
     "a number in the line that the run refuses, with the run's own message", "LOOP 5 (with a blank after 5)"},
    {Rule::InvalidSlotValue, "invalid-slot-value", Severity::Error,
     "a location or key slot the line reads is empty or holds no number", "MOUSE GO 3 (slot 3 empty)"},
    {Rule::IncompleteCommand, "incomplete-command", Severity::Error,
     "the line ends before a character the command must read", "MOUSE L"},
    {Rule::NoOpenBlock, "no-open-block", Severity::Error,
     "ENDLOOP, UNTIL or UNTILNE with no open block of its kind", "ENDLOOP (no LOOP before it)"},
    {Rule::MissingBlank, "missing-blank", Severity::Warning,
     "a keyword without the blank that belongs to it, so the line is no command", "LOOP5"},
    {Rule::SplitKeyword, "split-keyword", Severity::Warning,
     "a keyword split by a blank, so the line is no command", "END SCRIPT"},
    {Rule::MisspeltKeyword, "misspelt-keyword", Severity::Warning,
     "a keyword with one letter wrong, missing or extra, so the line is no command", "MOUS GO 1"},
    {Rule::UndeclaredVariable, "undeclared-variable", Severity::Warning,
     "GETCOLOR, UNTIL or UNTILNE names a variable no earlier LONG declares", "GETCOLOR b 1 (no LONG b)"},
    {Rule::VariableNameMismatch, "variable-name-mismatch", Severity::Warning,
     "a name differs from a declared one only in letter case or trailing blanks", "LONG a / GETCOLOR A 1"},
    {Rule::LoopCountNotPositive, "loop-count-not-positive", Severity::Warning,
     "a LOOP count of 0 or less: the block still runs once", "LOOP 0"},
    {Rule::UnclosedBlock, "unclosed-block", Severity::Warning,
     "a LOOP or REPEAT block still open at the end of the script", "LOOP 3 (no ENDLOOP)"},
    {Rule::CrossedBlocks, "crossed-blocks", Severity::Warning,
     "blocks closed crosswise: the highlight goes out of step with the run", "LOOP 2 / REPEAT / ENDLOOP"},
    {Rule::EndlessRepeat, "endless-repeat", Severity::Warning,
     "a REPEAT block whose condition can never change", "REPEAT / UNTILNE a a"},
    {Rule::HeldAtEnd, "held-at-end", Severity::Warning,
     "a key or mouse button pressed down and not released before the end", "KEY $10 (no KEY $10 UP)"},
    {Rule::SlotBeforeMove, "slot-before-move", Severity::Warning,
     "a slot number outside 1..20 before any line has set the current point", "MOUSE GO 0"},
    {Rule::OffScreen, "off-screen", Severity::Warning,
     "coordinates outside the screen (--screen, 1024x768 by default)", "MOUSE GO .2000.100"},
    {Rule::NoEndScript, "no-endscript", Severity::Note,
     "no ENDSCRIPT line: the script starts over until it is stopped", "BEEP (and nothing else)"},
}};

constexpr const RuleRow& RuleOf(Rule rule) { return kRules[static_cast<std::size_t>(rule)]; }

constexpr bool RulesFollowTheEnum() {
  for (std::size_t i = 0; i < kRules.size(); ++i) {
    if (static_cast<std::size_t>(kRules[i].rule) != i) return false;
  }
  return true;
}
static_assert(RulesFollowTheEnum(), "kRules rows must follow the order of Rule");

std::string_view SeverityName(Severity severity);

}  // namespace dx::check
