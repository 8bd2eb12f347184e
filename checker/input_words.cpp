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

// The line people mean by words such as "CLICK", "RIGHT DOWN" or "MOVE 3";
// the comment style when the words mean no mouse action.
Suggestion MouseWordsHint(const CodeLine& line) {
  const std::vector<std::string_view> tokens = Tokens(TextAfterKeyword(line.stripped, Command::Mouse));
  if (tokens.empty() || !std::all_of(tokens.begin(), tokens.end(), IsMouseWord)) return CommentOut(line);
  const std::string prefix =
      std::string(line.raw.substr(0, static_cast<std::size_t>(line.leading))) + Name(Command::Mouse);
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
  if (!CheckGluedWord(line, operands, findings)) CheckWordInside(line, operands, findings);
}

}  // namespace dx::check
