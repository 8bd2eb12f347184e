#include "checker/check_script.h"

#include <string>

#include "checker/input_words.h"
#include "checker/near_miss.h"
#include "checker/script_walk.h"
#include "engine/command_table.h"
#include "engine/current_point.h"
#include "base/script_error.h"
#include "base/format_hex.h"

namespace dx::check {
namespace {

constexpr uint32_t kButtonId = 0x100;  // above every key code

CodeLine MakeCodeLine(int number, std::string_view raw) {
  const std::size_t first = std::min(raw.find_first_not_of(" \t"), raw.size());
  return {number, raw, raw.substr(first), static_cast<int>(first)};
}

class Checker {
 public:
  Checker(const ScriptDocument& document, const CheckOptions& options)
      : document_(document), options_(options), walk_(findings_, options.first_line) {}

  std::vector<Diagnostic> Run() && {
    for (std::size_t i = 0; i < document_.code.size(); ++i)
      Line(MakeCodeLine(static_cast<int>(i) + 1, document_.code[i]));
    walk_.Finish(static_cast<int>(document_.code.size()));
    if (!document_.code.empty() && !saw_endscript_) {
      findings_.Add(
          static_cast<int>(document_.code.size()), 1, Rule::NoEndScript,
          "no " + Name(Command::EndScript) + " line: after its last line the script starts over until it is stopped");
    }
    return std::move(findings_).Sorted();
  }

 private:
  // A command that finds its line too short fails with the run's message.
  template <typename Read>
  bool Readable(const CodeLine& line, Read read) {
    try {
      read();
      return true;
    } catch (const ScriptError& e) {
      findings_.Add(line.number, line.EndColumn(), Rule::IncompleteCommand, FullStopMessage(e.what()));
      return false;
    }
  }

  void Line(const CodeLine& line) {
    const std::optional<Command> command = MatchCommand(line.stripped);
    if (!command) {
      const std::string_view latest = walk_.DeclaredNameBesides({});
      CheckNearMiss(line, {walk_.DeclaredNameBesides(latest), latest}, findings_);
      return;
    }
    const std::size_t mark = findings_.Size();
    Dispatch(line, *command);
    const std::string_view word = FirstWordIfText(line, *command);
    if (!word.empty()) {
      findings_.At(line, line.stripped, Rule::CommentReadAsCommand,
                   "starts with '" + std::string(word) + "', so it is read as a " + Name(*command) + " command: " +
                       (findings_.ErrorSince(mark, line.number) ? "the run stops on it with an error"
                                                                : EffectOf(line, *command)),
                   CommentOut(line));
    }
  }

  // What a run does with a line that reads as free text but did not fail.
  std::string EffectOf(const CodeLine& line, Command command) const {
    switch (command) {
      case Command::Mouse: {
        const MouseOperands operands = ReadMouseOperands(line.stripped);
        if (operands.action == kMoveAction) return "it moves the mouse";
        if (operands.button != nullptr && IsButtonAction(operands.button_action)) return "it uses a mouse button";
        return "it sends the last mouse event again";
      }
      case Command::Key: return "it sends key events";
      case Command::EndScript: return "it ends the run";
      case Command::Delay: return "it waits";
      case Command::Loop: return "it opens a " + Name(Command::Loop) + " block";
      case Command::EndLoop: return "it closes a " + Name(Command::Loop) + " block";
      case Command::Long:
        return "it declares a variable named '" + std::string(TextAfterKeyword(line.stripped, command)) + "'";
      case Command::Beep: return "it beeps";
      case Command::GetColor: return "it reads a pixel's colour";
      case Command::Repeat: return "it opens a " + Name(Command::Repeat) + " block";
      case Command::Until:
      case Command::UntilNe: return "it closes a " + Name(Command::Repeat) + " block";
    }
    return {};
  }

  void Dispatch(const CodeLine& line, Command command) {
    switch (command) {
      case Command::Mouse: return Mouse(line);
      case Command::Key: return Key(line);
      case Command::EndScript:
        saw_endscript_ = true;
        walk_.EndScript(line);
        return;
      case Command::Delay: return Delay(line);
      case Command::Loop: return Loop(line);
      case Command::EndLoop: walk_.Close(line, Command::Loop); return;
      case Command::Long: walk_.Declare(line, TextAfterKeyword(line.stripped, Command::Long)); return;
      case Command::Beep: return;
      case Command::GetColor: return GetColor(line);
      case Command::Repeat: walk_.Open(line, Command::Repeat); return;
      case Command::Until: return Until(line, Command::Until);
      case Command::UntilNe: return Until(line, Command::UntilNe);
    }
  }

  void Location(const CodeLine& line, std::string_view location) {
    const PointUse use = CheckLocation(line, location, document_, options_.screen, findings_);
    if (use == PointUse::Set) walk_.point_set = true;
    if (use == PointUse::Unchanged && !walk_.point_set) {
      findings_.At(line, ReadLocationOperand(location).slot, Rule::SlotBeforeMove,
                   "slot " + std::string(location) +
                       " is no location slot (1.." + std::to_string(kLocationSlotCount) +
                       "), so the current point is used, and no earlier line has set it",
                   "use a slot from 1 to " + std::to_string(kLocationSlotCount) + " or coordinates such as '.640.480'");
    }
  }

  void Mouse(const CodeLine& line) {
    MouseOperands operands;
    if (!Readable(line, [&] { operands = ReadMouseOperands(line.stripped); })) return;
    if (operands.action == kMoveAction) return Location(line, operands.position);
    if (operands.button == nullptr || !IsButtonAction(operands.button_action)) {
      if (FirstWordIfText(line, Command::Mouse).empty()) CheckMouseAction(line, operands, findings_);
      return;
    }
    const uint32_t id = kButtonId + operands.button->down;
    const std::string what = std::string("the mouse button ") + operands.button->letter;
    if (operands.button_action == kDownAction) walk_.Press(line, id, what);
    if (operands.button_action == kUpAction || operands.button_action == kClickAction) walk_.Release(id);
  }

  void Key(const CodeLine& line) {
    KeyOperands operands;
    if (!Readable(line, [&] { operands = ReadKeyOperands(line.stripped); })) return;
    const std::optional<uint8_t> code = CheckKeyCode(line, operands, document_, findings_);
    if (!code) return;
    CheckKeyWords(line, operands, findings_);
    if (KeyEventsOf(operands.rest) == KeyEvents::Down) {
      walk_.Press(line, *code, "the key $" + FormatHex(*code, 2));
    } else {
      walk_.Release(*code);
    }
  }

  // "DELAY -500": the end of the wait lies before its start.
  void Delay(const CodeLine& line) {
    const std::string_view text = TextAfterKeyword(line.stripped, Command::Delay);
    const std::optional<int32_t> ms = CheckNumber(line, text, findings_);
    if (!ms || *ms >= 0) return;
    const std::string_view sign = text.substr(text.find('-'), 1);
    findings_.At(line, text, Rule::NegativeDelay,
                 "a negative wait waits no time: the run only lets the window work once and goes on",
                 *ms == INT32_MIN ? Suggestion() : DidYouMean(line, line.Rewritten(sign, "")));
  }

  void Loop(const CodeLine& line) {
    const std::string_view count_text = TextAfterKeyword(line.stripped, Command::Loop);
    const std::optional<int32_t> count = CheckNumber(line, count_text, findings_);
    if (count && *count <= 0) {
      findings_.At(line, count_text, Rule::LoopCountNotPositive,
                   "a count of " + std::to_string(*count) + " still runs the block once");
    }
    walk_.Open(line, Command::Loop);
  }

  void GetColor(const CodeLine& line) {
    GetColorOperands operands;
    if (!Readable(line, [&] { operands = ReadGetColorOperands(line.stripped); })) return;
    const bool declared = walk_.CheckDeclared(line, operands.name, Name(Command::GetColor) + " stores nothing");
    Location(line, operands.location);
    if (declared) walk_.ReadFromScreen(operands.name, line.number);
  }

  void Until(const CodeLine& line, Command command) {
    const OperandPair names = SplitAtFirstBlank(TextAfterKeyword(line.stripped, command));
    walk_.CheckDeclared(line, names.first, "it compares as 0");
    if (names.second.empty() && !names.first.empty()) {
      const std::string other(walk_.DeclaredNameBesides(names.first));
      // With no other variable declared, a name to type in would only be
      // reported next as undeclared: the hint gives both lines.
      const std::string fresh = names.first == "b" ? "c" : "b";
      const std::string completed = std::string(TrimRight(line.raw)) + " " + (other.empty() ? fresh : other);
      findings_.Add(line.number, line.EndColumn(), Rule::MissingSecondName,
                    Name(command) + " compares two variables, and this line names only '" + std::string(names.first) +
                        "': the second name is empty and compares as 0",
                    other.empty() ? Suggestion("declare a second variable with '" + Name(Command::Long) + " " + fresh +
                                               "' before the " + Name(Command::Repeat) + ", read it with " +
                                               Name(Command::GetColor) + " and write '" + std::string(TrimLeft(completed)) + "'")
                                  : DidYouMean(line, completed));
    } else {
      walk_.CheckDeclared(line, names.second, "it compares as 0");
    }
    const int opened = walk_.Close(line, Command::Repeat);
    if (opened == 0) return;
    if (names.second.empty()) return;  // said above
    const bool same = names.first == names.second;
    if (same && command == Command::UntilNe) {
      findings_.At(line, line.stripped, Rule::EndlessRepeat,
                   Name(command) + " compares '" + std::string(names.first) + "' with itself: the block never ends");
    } else if (!same && !walk_.ReadSince(names.first, opened) && !walk_.ReadSince(names.second, opened)) {
      findings_.At(
          line, line.stripped, Rule::EndlessRepeat,
          "no " + Name(Command::GetColor) + " inside the block reads '" + std::string(names.first) + "' or '" +
              std::string(names.second) + "': the condition never changes, so the block ends after one run or never",
          "read one of them with " + Name(Command::GetColor) + " between " + Name(Command::Repeat) + " and this line");
    }
  }

  const ScriptDocument& document_;
  const CheckOptions& options_;
  Findings findings_;
  ScriptWalk walk_;
  bool saw_endscript_ = false;
};

}  // namespace

std::vector<Diagnostic> CheckScript(const ScriptDocument& document, const CheckOptions& options) {
  return Checker(document, options).Run();
}

}  // namespace dx::check
