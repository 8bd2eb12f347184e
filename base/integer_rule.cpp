#include "base/integer_rule.h"

#include "base/script_error.h"

namespace dx {
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

namespace {

std::optional<int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    int d = HexDigitValue(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ParseDecimal(std::string_view digits, bool negative) {
  if (digits.empty()) return std::nullopt;
  const uint64_t limit = negative ? 2147483648ull : 2147483647ull;
  uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  int64_t signed_value = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
  return static_cast<int32_t>(signed_value);
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string_view rest = text.substr(i);
  if (rest.empty()) return std::nullopt;
  if (rest[0] == '-' || rest[0] == '+') return ParseDecimal(rest.substr(1), rest[0] == '-');
  if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X') return ParseHex(rest.substr(1));
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    return ParseHex(rest.substr(2));
  }
  return ParseDecimal(rest, false);
}

int32_t StrToInt(std::string_view text) {
  if (auto value = TryStrToInt(text)) return *value;
  throw ScriptError(InvalidIntegerMessage(text));
}

MessageText InvalidIntegerMessage(std::string_view text) {
  return MessageText("'").Document(text).Program("' is not a valid integer value");
}

}  // namespace dx
