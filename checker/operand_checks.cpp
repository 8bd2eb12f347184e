#include "checker/operand_checks.h"

#include <string>
#include <vector>

#include "engine/current_point.h"
#include "base/integer_rule.h"
#include "base/script_error.h"
#include "base/format_hex.h"

namespace dx::check {
namespace {

std::string RunMessage(std::string_view text) { return WithFullStop(InvalidIntegerMessage(text)).Bytes(); }

// A number refused only for blanks behind its digits or tabs before them,
// or for words behind it ("DELAY 500 ms", "LOOP 3 times").
Suggestion BlankHint(const CodeLine& line, std::string_view text) {
  const std::string_view trimmed = TrimRight(TrimLeft(text));
  if (trimmed.size() != text.size() && TryStrToInt(trimmed)) return DeleteBlanksAround(line, text);
  const std::vector<std::string_view> words = Tokens(text);
  if (words.size() < 2 || !TryStrToInt(words[0])) return {};
  Suggestion hint = DidYouMean(line, line.Rewritten(text, words[0]));
  hint.text = "nothing may follow the number: " + hint.text;
  return hint;
}

// "MOUSE GO.640.480": the full stop stands among the three skipped
// characters, so the coordinates are read as a slot number.
Suggestion CoordinatesHint(const CodeLine& line, std::string_view slot_text) {
  const std::size_t at = static_cast<std::size_t>(line.ColumnOf(slot_text) - line.leading - 1);
  if (at == 0 || line.stripped[at - 1] != '.') return {};
  const std::string_view dot = line.stripped.substr(at - 1, 1);
  return DidYouMean(line, line.Rewritten(dot, " ."));
}

bool OnScreen(int32_t x, int32_t y, const Screen& screen) {
  return x >= 0 && y >= 0 && x < screen.width && y < screen.height;
}

void CheckOnScreen(const CodeLine& line, std::string_view part, int32_t x, int32_t y, const Screen& screen,
                   Findings& findings) {
  if (OnScreen(x, y, screen)) return;
  findings.At(line, part, Rule::OffScreen,
              "the point " + std::to_string(x) + "," + std::to_string(y) + " lies outside the " +
                  std::to_string(screen.width) + "x" + std::to_string(screen.height) + " screen");
}

std::string SlotHint(std::string_view kind, int32_t slot, std::string_view field, std::string_view text) {
  std::string hint = std::string(kind) + " slot " + std::to_string(slot) + std::string(field);
  return text.empty() ? hint + " is empty" : hint + " holds '" + std::string(text) + "'";
}

PointUse CheckLocationSlot(const CodeLine& line, std::string_view slot_text, const ScriptDocument& document,
                           const Screen& screen, Findings& findings) {
  const std::optional<int32_t> slot = TryStrToInt(slot_text);
  if (!slot) {
    Suggestion hint = CoordinatesHint(line, slot_text);
    if (hint.text.empty()) hint = BlankHint(line, slot_text);
    findings.At(line, slot_text, Rule::InvalidInteger, RunMessage(slot_text), hint);
    return PointUse::Failed;
  }
  if (!IsLocationSlot(*slot)) return PointUse::Unchanged;
  const LocationSlotText& location = document.locations[static_cast<std::size_t>(*slot - 1)];
  const std::optional<int32_t> x = TryStrToInt(location.x);
  const std::optional<int32_t> y = TryStrToInt(location.y);
  // The run converts x first and stops at the first refusal.
  if (!x || !y) {
    const std::string_view bad = !x ? location.x : location.y;
    findings.At(line, slot_text, Rule::InvalidSlotValue, RunMessage(bad),
                SlotHint("location", *slot, !x ? " x" : " y", bad));
    return PointUse::Failed;
  }
  CheckOnScreen(line, slot_text, *x, *y, screen, findings);
  return PointUse::Set;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// "KEY #41": the sign says slot, but there is none above 40, so the number
// is the key code itself, in decimal; "KEY 65", without the sign, is how a
// script sends a code in decimal on purpose.
void CheckSlotSign(const CodeLine& line, const KeyOperands& operands, uint8_t code, Findings& findings) {
  const std::string_view sign = line.stripped.substr(4, 1);
  if (sign != "#") return;
  const std::string_view marked = line.stripped.substr(4, 1 + operands.code_text.size());
  Suggestion hint;
  if (operands.code_text.size() == 2 && IsHexDigit(operands.code_text[0]) && IsHexDigit(operands.code_text[1])) {
    hint = DidYouMean(line, line.Rewritten(sign, "$"));
  }
  findings.At(line, marked, Rule::NoSuchKeySlot,
              "'" + std::string(marked) + "' names no key slot (there are " + std::to_string(kKeySlotCount) + "), so the run sends " +
                  std::to_string(code) + " itself as the key code, that is $" + FormatHex(code, 2),
              hint);
}

// The key the hexadecimal reading of two decimal digits names, when it is a
// letter or digit key ("41" -> 'A'); 0 otherwise.
char HexReadingKey(std::string_view digits) {
  if (digits.size() != 2 || digits[0] < '0' || digits[0] > '9' || digits[1] < '0' || digits[1] > '9') return 0;
  const int hex = (digits[0] - '0') * 16 + (digits[1] - '0');
  if (hex >= 0x30 && hex <= 0x39) return static_cast<char>(hex);
  if (hex >= 0x41 && hex <= 0x5A) return static_cast<char>(hex);
  return 0;
}

bool PlainSlot(const CodeLine& line) { return line.stripped.size() > 4 && line.stripped[4] != '#'; }

// "KEY 41 PRESS": no key slot 41, so 41 is the code, in decimal ($29),
// while the key table lists A as 41 in hexadecimal.
void CheckDecimalCode(const CodeLine& line, const KeyOperands& operands, uint8_t code, Findings& findings) {
  const char key = HexReadingKey(operands.code_text);
  if (!PlainSlot(line) || key == 0) return;
  findings.At(line, operands.code_text, Rule::DecimalKeyCode,
              "'" + std::string(operands.code_text) + "' is no key slot (there are 40), so the run sends " +
                  std::to_string(code) + " itself as the key code, in decimal: that is $" + FormatHex(code, 2) +
                  ", not the key " + std::string(1, key) + ", whose code $" + std::string(operands.code_text) +
                  " is hexadecimal",
              DidYouMean(line, line.Rewritten(operands.code_text, "$" + std::string(operands.code_text))));
}

}  // namespace

std::optional<int32_t> CheckNumber(const CodeLine& line, std::string_view text, Findings& findings) {
  const std::optional<int32_t> value = TryStrToInt(text);
  if (!value) findings.At(line, text, Rule::InvalidInteger, RunMessage(text), BlankHint(line, text));
  return value;
}

PointUse CheckLocation(const CodeLine& line, std::string_view location, const ScriptDocument& document,
                       const Screen& screen, Findings& findings) {
  const LocationOperand operand = ReadLocationOperand(location);
  if (!operand.coordinates) return CheckLocationSlot(line, operand.slot, document, screen, findings);
  const std::optional<int32_t> x = CheckNumber(line, operand.x, findings);
  const std::optional<int32_t> y = CheckNumber(line, operand.y, findings);
  if (!x || !y) return PointUse::Failed;
  CheckOnScreen(line, location, *x, *y, screen, findings);
  return PointUse::Set;
}

std::optional<uint8_t> CheckKeyCode(const CodeLine& line, const KeyOperands& operands, const ScriptDocument& document,
                                    Findings& findings) {
  const std::optional<int32_t> value = TryStrToInt(operands.code_text);
  if (!value) {
    // The code has fixed columns: a short one needs a leading zero, not a
    // shorter field ("KEY #5 PRESS" means "KEY #05 PRESS").
    const std::string_view trimmed = TrimRight(operands.code_text);
    Suggestion hint;
    if (trimmed.size() < operands.code_text.size() && TryStrToInt(trimmed)) {
      const std::string padded = operands.slot ? "0" + std::string(trimmed) : "$0" + std::string(trimmed.substr(1));
      hint = DidYouMean(line, line.Rewritten(trimmed, padded));
    }
    findings.At(line, operands.code_text, Rule::InvalidInteger, RunMessage(operands.code_text), hint);
    return std::nullopt;
  }
  const uint8_t number = LowByte(*value);
  if (!operands.slot) return number;
  if (!IsKeySlot(number)) {
    CheckSlotSign(line, operands, number, findings);
    CheckDecimalCode(line, operands, number, findings);
    return number;
  }
  const std::string& slot_text = document.keys[number - 1];
  const std::string code_text = KeySlotCodeText(slot_text);
  const std::optional<int32_t> code = TryStrToInt(code_text);
  if (!code) {
    Suggestion hint = SlotHint("key", number, "", slot_text);
    // "KEY 30 PRESS" for the digit 0: slots 30 to 39 are also digit codes.
    if (const char key = HexReadingKey(operands.code_text); key != 0 && PlainSlot(line)) {
      const std::string said = hint.text;
      hint = DidYouMean(line, line.Rewritten(operands.code_text, "$" + std::string(operands.code_text)));
      hint.text = said + "; the key " + std::string(1, key) + " is $" + std::string(operands.code_text) + ": " + hint.text;
    }
    findings.At(line, operands.code_text, Rule::InvalidSlotValue, RunMessage(code_text), std::move(hint));
    return std::nullopt;
  }
  return LowByte(*code);
}

}  // namespace dx::check
