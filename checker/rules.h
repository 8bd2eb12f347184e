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
  ForeignKeyword,
  CommentReadAsCommand,
  UnknownMouseAction,
  GluedKeyWord,
  KeyWordInside,
  NoSuchKeySlot,
  UndeclaredVariable,
  MissingSecondName,
  VariableNameMismatch,
  LoopCountNotPositive,
  UnclosedBlock,
  CrossedBlocks,
  EndlessRepeat,
  HeldAtEnd,
  SlotBeforeMove,
  OffScreen,
  DecimalKeyCode,
  KeyCombination,
  NegativeDelay,
  EndScriptInBlock,
  ClosedAfterEndScript,
  NoEndScript,
};

// What each rule finds, with an example, is told in tools/dxsim/README.md
// (a test keeps every row there).
struct RuleRow {
  Rule rule;
  std::string_view name;
  Severity severity;
};

inline constexpr std::array<RuleRow, 30> kRules = {{
    {Rule::UnreadableFile, "unreadable-file", Severity::Error},
    {Rule::InvalidInteger, "invalid-integer", Severity::Error},
    {Rule::InvalidSlotValue, "invalid-slot-value", Severity::Error},
    {Rule::IncompleteCommand, "incomplete-command", Severity::Error},
    {Rule::NoOpenBlock, "no-open-block", Severity::Error},
    {Rule::MissingBlank, "missing-blank", Severity::Warning},
    {Rule::SplitKeyword, "split-keyword", Severity::Warning},
    {Rule::MisspeltKeyword, "misspelt-keyword", Severity::Warning},
    {Rule::ForeignKeyword, "foreign-keyword", Severity::Warning},
    {Rule::CommentReadAsCommand, "comment-read-as-command", Severity::Warning},
    {Rule::UnknownMouseAction, "unknown-mouse-action", Severity::Warning},
    {Rule::GluedKeyWord, "glued-key-word", Severity::Warning},
    {Rule::KeyWordInside, "key-word-inside", Severity::Warning},
    {Rule::NoSuchKeySlot, "no-such-key-slot", Severity::Warning},
    {Rule::UndeclaredVariable, "undeclared-variable", Severity::Warning},
    {Rule::MissingSecondName, "missing-second-name", Severity::Warning},
    {Rule::VariableNameMismatch, "variable-name-mismatch", Severity::Warning},
    {Rule::LoopCountNotPositive, "loop-count-not-positive", Severity::Warning},
    {Rule::UnclosedBlock, "unclosed-block", Severity::Warning},
    {Rule::CrossedBlocks, "crossed-blocks", Severity::Warning},
    {Rule::EndlessRepeat, "endless-repeat", Severity::Warning},
    {Rule::HeldAtEnd, "held-at-end", Severity::Warning},
    {Rule::SlotBeforeMove, "slot-before-move", Severity::Warning},
    {Rule::OffScreen, "off-screen", Severity::Warning},
    {Rule::DecimalKeyCode, "decimal-key-code", Severity::Warning},
    {Rule::KeyCombination, "key-combination", Severity::Warning},
    {Rule::NegativeDelay, "negative-delay", Severity::Warning},
    {Rule::EndScriptInBlock, "endscript-in-block", Severity::Warning},
    {Rule::ClosedAfterEndScript, "closed-after-endscript", Severity::Warning},
    {Rule::NoEndScript, "no-endscript", Severity::Note},
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
