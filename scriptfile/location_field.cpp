#include "scriptfile/location_field.h"

#include "base/integer_rule.h"
#include "base/format_hex.h"

namespace dx {
namespace {

constexpr int32_t kLargestNarrowCoordinate = 4095;

bool AllHexDigits(std::string_view digits) {
  if (digits.empty()) return false;
  for (char c : digits) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}

std::optional<int32_t> ParseSignedHex(char sign, std::string_view digits) {
  if (!AllHexDigits(digits)) return std::nullopt;
  uint64_t magnitude = 0;
  for (char c : digits) {
    magnitude = magnitude * 16 + static_cast<uint64_t>(HexDigitValue(c));
    if (magnitude > 0x80000000ull) return std::nullopt;
  }
  int64_t value = sign == '-' ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseWideField(std::string_view field) {
  if (field.size() < 2 || field[0] != '$') return std::nullopt;
  std::string_view body = field.substr(1);
  if (body[0] == '-' || body[0] == '+') return ParseSignedHex(body[0], body.substr(1));
  if (!AllHexDigits(body)) return std::nullopt;
  return TryStrToInt(field);
}

}  // namespace

std::string FormatCoordinate(int32_t value) {
  std::string text = "$";
  if (value >= 0 && value <= kLargestNarrowCoordinate) return text.append(FormatHex(value, 3));
  int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
  text += value < 0 ? '-' : '+';
  return text.append(FormatHex(magnitude, 1));
}

std::optional<Coordinates> ParseWideCoordinates(std::string_view text) {
  std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  auto x = ParseWideField(text.substr(0, comma));
  auto y = ParseWideField(text.substr(comma + 1));
  if (!x || !y) return std::nullopt;
  return Coordinates{*x, *y};
}

}  // namespace dx
