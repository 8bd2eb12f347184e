#include "checker/input_words.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/command_table.h"
#include "engine/keyword_rule.h"

namespace dx::check {
namespace {

constexpr std::string_view kMouseWords[] = {"LEFT", "RIGHT", "MIDDLE", "BUTTON",  "CLICK", "CLICKS", "DOUBLECLICK",
                                            "DOUBLE", "DOWN", "UP",    "PRESS", "RELEASE", "MOVE", "MOVETO", "GOTO"};

bool Mentions(const std::vector<std::string_view>& tokens, std::string_view word) {
  return std::any_of(tokens.begin(), tokens.end(),
                     [&](std::string_view t) { return AsciiUpper(t).find(word) != std::string::npos; });
}

// A button and its action ("LC", "rd") or a move ("GO 1"): what the line
// says, only one blank too many or too few behind MOUSE.
bool IsMouseAction(std::string_view text) {
  const std::string upper = AsciiUpper(text);
  if (upper.starts_with(kMoveWord)) return upper.size() > kMoveWord.size() && (upper[2] == ' ' || upper[2] == '.');
  const bool button = upper.size() >= 2 && FindButton(upper[0]) != nullptr && IsButtonAction(upper[1]);
  return button && (upper.size() == 2 || IsBlank(upper[2]));
}

// Every token made of mouse words, written together or apart: "RIGHTCLICK",
// "left-click", "DOUBLE_CLICK".
bool IsMouseWordRun(std::string_view token) {
  if (IsMouseWord(token)) return true;
  std::string rest = AsciiUpper(token);
  std::erase_if(rest, [](char c) { return c == '-' || c == '_'; });
  while (!rest.empty()) {
    std::size_t longest = 0;
    for (std::string_view word : kMouseWords) {
      if (rest.starts_with(word)) longest = std::max(longest, word.size());
    }
    if (longest == 0) return false;
    rest.erase(0, longest);
  }
  return true;
}

// The line people mean by words such as "CLICK", "RIGHT DOWN" or "MOVE 3";
// the comment style when the words mean no mouse action.
Suggestion MouseWordsHint(const CodeLine& line) {
  const std::string prefix =
      std::string(line.raw.substr(0, static_cast<std::size_t>(line.leading))) + Name(Command::Mouse);
  const std::string_view after = TrimLeft(line.stripped.substr(std::min<std::size_t>(5, line.stripped.size())));
  if (IsMouseAction(after)) return DidYouMean(line, prefix + " " + std::string(after));
  const std::vector<std::string_view> tokens = Tokens(TextAfterKeyword(line.stripped, Command::Mouse));
  if (tokens.empty() || !std::all_of(tokens.begin(), tokens.end(), IsMouseWordRun)) return CommentOut(line);
  const std::string first = AsciiUpper(tokens[0]);
  if (first == "MOVE" || first == "MOVETO" || first == "GOTO") {
    return DidYouMean(line, prefix + " " + std::string(kMoveWord) + " " + std::string(tokens.size() > 1 ? tokens[1] : "1"));
  }
  const char button = Mentions(tokens, "RIGHT") ? 'R' : Mentions(tokens, "MIDDLE") ? 'M' : 'L';
  const char action = Mentions(tokens, "DOWN") || Mentions(tokens, "PRESS")  ? kDownAction
                      : Mentions(tokens, "UP") || Mentions(tokens, "RELEASE") ? kUpAction
                                                                              : kClickAction;
  Suggestion hint = DidYouMean(line, prefix + " " + button + action);
  if (Mentions(tokens, "DOUBLE")) hint.text += " (a double click is that line twice)";
  return hint;
}

std::string KeyEventsInWords(KeyEvents events) {
  static constexpr const char* kWhat[] = {"the key goes down and up", "the key only goes up",
                                          "the key only goes down"};
  return kWhat[static_cast<int>(events)];
}

// "KEY $41PRESS": the character behind the code is skipped unseen, and
// what it began may then mean something else.
bool CheckGluedWord(const CodeLine& line, const KeyOperands& operands, Findings& findings) {
  const auto skipped =
      static_cast<std::size_t>(operands.code_text.data() + operands.code_text.size() - line.stripped.data());
  if (skipped >= line.stripped.size() || IsBlank(line.stripped[skipped])) return false;
  const std::string_view word = line.stripped.substr(skipped);
  const KeyEvents read = KeyEventsOf(operands.rest);
  if (read == KeyEventsOf(word)) return false;
  findings.At(line, word, Rule::GluedKeyWord,
              "the run skips the '" + std::string(1, line.stripped[skipped]) +
                  "' right behind the key code and reads '" + std::string(operands.rest) + "', so " +
                  KeyEventsInWords(read),
              DidYouMean(line, line.Rewritten(line.stripped.substr(skipped, 0), " ")));
  return true;
}

// "KEY $41 SETUP": the run looks for PRESS, then UP, anywhere in the words.
void CheckWordInside(const CodeLine& line, const KeyOperands& operands, Findings& findings) {
  const KeyEvents read = KeyEventsOf(operands.rest);
  if (read == KeyEvents::Down) return;
  const std::string upper = AsciiUpper(operands.rest);
  const std::string_view found = read == KeyEvents::DownUp ? "PRESS" : "UP";
  const std::size_t at = upper.find(found);
  const std::size_t end = at + found.size();
  if ((at == 0 || IsBlank(upper[at - 1])) && (end == upper.size() || IsBlank(upper[end]))) return;
  findings.At(line, operands.rest, Rule::KeyWordInside,
              "the run finds '" + std::string(found) + "' inside '" + std::string(TrimRight(operands.rest)) +
                  "', so " + KeyEventsInWords(read),
              DidYouMean(line, line.Rewritten(operands.rest, found)));
}

// "KEY $11+$41 PRESS": the '+' is skipped like any character behind the
// code, so only the first key is sent.
bool CheckCombination(const CodeLine& line, const KeyOperands& operands, Findings& findings) {
  const std::size_t code_end =
      static_cast<std::size_t>(operands.code_text.data() + operands.code_text.size() - line.stripped.data());
  if (code_end >= line.stripped.size() || line.stripped[code_end] != '+') return false;
  const std::string_view after = line.stripped.substr(code_end + 1);
  const std::string_view second = after.substr(0, std::min(after.find_first_of(" \t+"), after.size()));
  const std::string first(line.stripped.substr(4, code_end - 4));
  const std::string keyword = Name(Command::Key);
  const std::string lead(line.raw.substr(0, static_cast<std::size_t>(line.leading)));
  findings.At(line, line.stripped.substr(code_end), Rule::KeyCombination,
              "'+' joins no keys: the run skips it and sends only the key " + first + ", and " +
                  KeyEventsInWords(KeyEventsOf(operands.rest)),
              "hold the first key down, press the other, let the first go, one line each: '" + lead + keyword + " " +
                  first + "', '" + lead + keyword + " " + std::string(second.empty() ? "$41" : second) + " PRESS', '" +
                  lead + keyword + " " + first + " UP'");
  return true;
}

}  // namespace

bool IsMouseWord(std::string_view token) {
  const bool number = !token.empty() && std::string_view("0123456789$-+.").find(token[0]) != std::string_view::npos;
  return number || std::find(std::begin(kMouseWords), std::end(kMouseWords), AsciiUpper(token)) != std::end(kMouseWords);
}

void CheckMouseAction(const CodeLine& line, const MouseOperands& operands, Findings& findings) {
  const bool after_button = operands.button != nullptr;
  const std::string_view letter = line.stripped.substr(after_button ? 7 : 6, 1);
  std::string read = after_button ? "after the button " + std::string(1, operands.button->letter) +
                                        " the run reads '" + std::string(letter) + "', which is none of C, D and U"
                                  : "the run reads '" + std::string(letter) +
                                        "' as the mouse action, which is none of G (GO), L, R and M";
  findings.At(line, letter, Rule::UnknownMouseAction,
              std::move(read) + ", so the line sends the last mouse event again", MouseWordsHint(line));
}


void CheckKeyWords(const CodeLine& line, const KeyOperands& operands, Findings& findings) {
  if (CheckCombination(line, operands, findings)) return;
  if (!CheckGluedWord(line, operands, findings)) CheckWordInside(line, operands, findings);
}

}  // namespace dx::check
