#include "checker/near_miss.h"

#include <algorithm>
#include <optional>

#include "engine/command_table.h"
#include "base/integer_rule.h"

namespace dx::check {
namespace {

// What may follow a keyword: how a near miss is told from free text.
enum class Shape { Nothing, Number, Name, TwoOperands, MouseAction, KeyCode };

struct ShapeRow {
  Command command;
  Shape shape;
  std::string_view placeholder;  // for a suggestion when the operands are missing
};

constexpr ShapeRow kShapes[] = {
    {Command::Mouse, Shape::MouseAction, "GO 1"},
    {Command::Key, Shape::KeyCode, "$0D PRESS"},
    {Command::EndScript, Shape::Nothing, ""},
    {Command::Delay, Shape::Number, "500"},
    {Command::Loop, Shape::Number, "3"},
    {Command::EndLoop, Shape::Nothing, ""},
    {Command::Long, Shape::Name, "name"},
    {Command::Beep, Shape::Nothing, ""},
    {Command::GetColor, Shape::TwoOperands, "name 1"},
    {Command::Repeat, Shape::Nothing, ""},
    {Command::Until, Shape::TwoOperands, "a b"},
    {Command::UntilNe, Shape::TwoOperands, "a b"},
};
static_assert(std::size(kShapes) == kCommandTable.size());

const ShapeRow& ShapeOf(Command command) { return kShapes[static_cast<std::size_t>(command)]; }

bool EndsInBlank(Command command) { return Keyword(command).back() == ' '; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

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
  if (text.starts_with("GO")) return text.size() > 2 && (text[2] == ' ' || text[2] == '.');
  const bool button = text.size() >= 2 && std::string_view("LRM").find(text[0]) != std::string_view::npos &&
                      std::string_view("CDU").find(text[1]) != std::string_view::npos;
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
  if (rest.empty()) rest = ShapeOf(command).placeholder;
  if (!rest.empty()) text.append(" ").append(rest);
  return text;
}

// Optimal string alignment distance of at most one edit (a letter changed,
// missing, extra, or two neighbours swapped).
bool OneEditApart(std::string_view a, std::string_view b) {
  if (a == b) return false;
  if (a.size() == b.size()) {
    std::size_t i = 0;
    while (a[i] == b[i]) ++i;
    if (a.substr(i + 1) == b.substr(i + 1)) return true;
    return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.substr(i + 2) == b.substr(i + 2);
  }
  if (a.size() + 1 == b.size()) std::swap(a, b);
  if (b.size() + 1 != a.size()) return false;
  std::size_t i = 0;
  while (i < b.size() && a[i] == b[i]) ++i;
  return a.substr(i + 1) == b.substr(i);
}

// "LOOP5", "LOOP", "DELAY<tab>500": a keyword whose blank is missing.
bool CheckMissingBlank(const CodeLine& line, const std::string& upper, Findings& findings) {
  for (const CommandEntry& entry : kCommandTable) {
    if (!EndsInBlank(entry.command)) continue;
    const std::string_view name = CommandName(entry.command);
    if (!std::string_view(upper).starts_with(name)) continue;
    const std::string_view rest = line.stripped.substr(name.size());
    const bool looks_meant =
        rest.empty() || rest[0] == '\t' || (ShapeOf(entry.command).shape == Shape::Number && LooksLikeNumber(rest));
    if (!looks_meant) continue;
    findings.At(line, line.stripped, Rule::MissingBlank,
                "'" + std::string(name) + "' is no command without the blank behind it; the line does nothing",
                DidYouMean(Suggested(line, entry.command, TrimLeft(rest))));
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
    if (joined != name || !FitsShape(ShapeOf(entry.command).shape, after)) continue;
    findings.At(line, line.stripped, Rule::SplitKeyword,
                "'" + std::string(name) + "' split by a blank is no command; the line does nothing",
                DidYouMean(Suggested(line, entry.command, after)));
    return true;
  }
  return false;
}

// "MOUS GO 1", "ENDLOOOP": one letter off, with operands of the command's
// shape behind it. Three-letter keywords are left out: too many words are
// one letter away from them.
bool CheckMisspelt(const CodeLine& line, const Words& words, Findings& findings) {
  if (!IsLetters(words.first)) return false;
  const std::string word = AsciiUpper(words.first);
  for (const CommandEntry& entry : kCommandTable) {
    const std::string_view name = CommandName(entry.command);
    if (name.size() < 4 || !OneEditApart(word, name)) continue;
    if (!FitsShape(ShapeOf(entry.command).shape, words.rest)) continue;
    findings.At(line, line.stripped, Rule::MisspeltKeyword,
                "'" + std::string(words.first) + "' is no keyword; the line does nothing",
                DidYouMean(Suggested(line, entry.command, words.rest)));
    return true;
  }
  return false;
}

}  // namespace

void CheckNearMiss(const CodeLine& line, Findings& findings) {
  const std::string upper = AsciiUpper(line.stripped);
  if (CheckMissingBlank(line, upper, findings)) return;
  const Words words = SplitWords(line.stripped);
  if (CheckSplitKeyword(line, words, findings)) return;
  CheckMisspelt(line, words, findings);
}

}  // namespace dx::check
