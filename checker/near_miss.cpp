#include "checker/near_miss.h"

#include <algorithm>
#include <optional>

#include "base/integer_rule.h"
#include "checker/input_words.h"
#include "engine/command_table.h"

namespace dx::check {
namespace {

using Shape = OperandShape;

bool EndsInBlank(Command command) { return Keyword(command).back() == ' '; }

bool IsLetters(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

std::size_t TokenCount(std::string_view text) {
  std::size_t count = 0;
  bool in_token = false;
  for (char c : text) {
    if (c == ' ') {
      in_token = false;
    } else if (!in_token) {
      in_token = true;
      ++count;
    }
  }
  return count;
}

bool LooksLikeNumber(std::string_view text) {
  return !text.empty() && ((text[0] >= '0' && text[0] <= '9') || text[0] == '$' || text[0] == '-' || text[0] == '+');
}

// "GO 1", "GO .640.480", or a button and its action such as "LC".
bool LooksLikeMouseAction(const std::string& rest) {
  const std::string_view text(rest);
  if (text.starts_with(kMoveWord)) {
    return text.size() > kMoveWord.size() && (text[kMoveWord.size()] == ' ' || text[kMoveWord.size()] == '.');
  }
  const bool button = text.size() >= 2 && FindButton(text[0]) != nullptr && IsButtonAction(text[1]);
  return button && (text.size() == 2 || text[2] == ' ');
}

bool FitsShape(Shape shape, std::string_view rest) {
  switch (shape) {
    case Shape::Nothing: return rest.empty();
    case Shape::Number: return TryStrToInt(rest).has_value();
    case Shape::Name: return TokenCount(rest) == 1;
    case Shape::TwoOperands: return TokenCount(rest) == 2;
    case Shape::MouseAction: return LooksLikeMouseAction(AsciiUpper(rest));
    case Shape::KeyCode: return LooksLikeNumber(rest) || (!rest.empty() && rest[0] == '#');
  }
  return false;
}

// The line as the command would have it: the keyword, then its operands.
std::string Suggested(const CodeLine& line, Command command, std::string_view rest) {
  std::string text(line.raw.substr(0, static_cast<std::size_t>(line.leading)));
  text += CommandName(command);
  if (rest.empty()) rest = EntryOf(command).placeholder;
  if (!rest.empty()) text.append(" ").append(rest);
  return text;
}

// "LOOP5", "LOOP", "DELAY<tab>500": a keyword whose blank is missing.
bool CheckMissingBlank(const CodeLine& line, const std::string& upper, Findings& findings) {
  for (const CommandEntry& entry : kCommandTable) {
    if (!EndsInBlank(entry.command)) continue;
    const std::string_view name = CommandName(entry.command);
    if (!std::string_view(upper).starts_with(name)) continue;
    const std::string_view rest = line.stripped.substr(name.size());
    const bool looks_meant =
        rest.empty() || rest[0] == '\t' || (entry.operands == Shape::Number && LooksLikeNumber(rest));
    if (!looks_meant) continue;
    findings.At(line, line.stripped, Rule::MissingBlank,
                "'" + std::string(name) + "' is no command without the blank behind it; the line does nothing",
                DidYouMean(line, Suggested(line, entry.command, TrimLeft(rest))));
    return true;
  }
  return false;
}

struct Words {
  std::string_view first;
  std::string_view second;  // behind the blanks after the first
  std::string_view rest;    // behind the blank after the first word
};

Words SplitWords(std::string_view text) {
  Words words;
  const std::size_t end = std::min(text.find_first_of(" \t"), text.size());
  words.first = text.substr(0, end);
  words.rest = TrimLeft(text.substr(end));
  const std::size_t second_end = std::min(words.rest.find_first_of(" \t"), words.rest.size());
  words.second = words.rest.substr(0, second_end);
  return words;
}

// "END SCRIPT", "GET COLOR a 1": a keyword split by a blank.
bool CheckSplitKeyword(const CodeLine& line, const Words& words, Findings& findings) {
  if (words.first.empty() || words.second.empty()) return false;
  const std::string joined = AsciiUpper(std::string(words.first) + std::string(words.second));
  for (const CommandEntry& entry : kCommandTable) {
    const std::string_view name = CommandName(entry.command);
    if (words.first.size() >= name.size()) continue;
    const std::string_view after = TrimLeft(words.rest.substr(words.second.size()));
    if (joined != name || !FitsShape(entry.operands, after)) continue;
    findings.At(line, line.stripped, Rule::SplitKeyword,
                "'" + std::string(name) + "' split by a blank is no command; the line does nothing",
                DidYouMean(line, Suggested(line, entry.command, after)));
    return true;
  }
  return false;
}

// "MOUS GO 1", "ENDLOOOP", "KYE $41 PRESS": one letter off, with operands
// of the command's shape behind it. Too many words are one letter away
// from a three-letter keyword: there the operand must start with its own
// sign ('$' or '#').
bool CheckMisspelt(const CodeLine& line, const Words& words, Findings& findings) {
  if (!IsLetters(words.first)) return false;
  const std::string word = AsciiUpper(words.first);
  for (const CommandEntry& entry : kCommandTable) {
    const std::string_view name = CommandName(entry.command);
    if (!OneEditApart(word, name)) continue;
    if (!FitsShape(entry.operands, words.rest)) continue;
    if (name.size() < 4 && (words.rest.empty() || (words.rest[0] != '$' && words.rest[0] != '#'))) continue;
    findings.At(line, line.stripped, Rule::MisspeltKeyword,
                "'" + std::string(words.first) + "' is no keyword; the line does nothing",
                DidYouMean(line, Suggested(line, entry.command, words.rest)));
    return true;
  }
  return false;
}

// Other tools' words for a command of this language.
struct ForeignRow {
  std::string_view word;
  Shape shape;  // what follows it
  Command command;
};

constexpr ForeignRow kForeignWords[] = {
    {"WAIT", Shape::Number, Command::Delay},
    {"SLEEP", Shape::Number, Command::Delay},
    {"PAUSE", Shape::Number, Command::Delay},
    {"ENDREPEAT", Shape::Nothing, Command::UntilNe},
};

std::string ForeignHint(Command command) {
  if (command == Command::Delay) return "a wait is " + Name(Command::Delay) + " and the milliseconds";
  return "a " + Name(Command::Repeat) + " block ends with " + Name(Command::Until) +
         " and two variables (until they are equal) or " + Name(Command::UntilNe) + " (until they differ)";
}

// "WAIT 500", "SLEEP 1000", "ENDREPEAT".
bool CheckForeign(const CodeLine& line, const Words& words, UntilNames names, Findings& findings) {
  const std::string word = AsciiUpper(words.first);
  for (const ForeignRow& row : kForeignWords) {
    if (word != row.word || !FitsShape(row.shape, words.rest)) continue;
    const bool named = !names.first.empty() && !names.second.empty();
    const std::string until = named ? std::string(names.first) + " " + std::string(names.second) : "a b";
    const std::string_view operands = row.command == Command::UntilNe ? std::string_view(until) : words.rest;
    findings.At(line, line.stripped, Rule::ForeignKeyword,
                "'" + std::string(words.first) + "' is no keyword, so the line does nothing; " +
                    ForeignHint(row.command),
                DidYouMean(line, Suggested(line, row.command, operands)));
    return true;
  }
  return false;
}

// The operands behind the keyword of `command` on its line.
std::string_view OperandsOf(const CodeLine& line, Command command) {
  if (EndsInBlank(command)) return TextAfterKeyword(line.stripped, command);
  return TrimLeft(line.stripped.substr(std::min(line.stripped.size(), Keyword(command).size())));
}

std::size_t LeadingLetters(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsLetters(text.substr(n, 1))) ++n;
  return n;
}

}  // namespace

void CheckNearMiss(const CodeLine& line, UntilNames names, Findings& findings) {
  if (line.stripped.starts_with(';')) return;  // the comment no keyword can start
  const std::string upper = AsciiUpper(line.stripped);
  if (CheckMissingBlank(line, upper, findings)) return;
  const Words words = SplitWords(line.stripped);
  if (CheckSplitKeyword(line, words, findings)) return;
  if (CheckForeign(line, words, names, findings)) return;
  CheckMisspelt(line, words, findings);
}

std::string_view FirstWordIfText(const CodeLine& line, Command command) {
  const Words words = SplitWords(line.stripped);
  if (TokenCount(line.stripped) < 3 || !IsLetters(words.second.substr(0, 1))) return {};
  const std::string_view word = line.stripped.substr(0, LeadingLetters(line.stripped));
  if (word.size() > CommandName(command).size()) return word;  // "Keyboard", "Repeatedly"
  const std::string_view operands = OperandsOf(line, command);
  if (FitsShape(EntryOf(command).operands, operands)) return {};
  if (command == Command::Mouse) {
    const std::vector<std::string_view> tokens = Tokens(operands);
    if (std::all_of(tokens.begin(), tokens.end(), IsMouseWord)) return {};
  }
  return word;
}

}  // namespace dx::check
