#include "engine/window_entry.h"

#include "base/format_hex.h"
#include "base/integer_rule.h"

namespace dx {

std::string WindowEntry(uint32_t handle, std::string_view title) {
  return FormatHex(handle, static_cast<int>(kWindowHandleDigits)) + " - " +
         std::string(title.substr(0, kLongestWindowTitle));
}

uint32_t HandleOfWindowEntry(std::string_view text) {
  return static_cast<uint32_t>(StrToInt("$" + std::string(text.substr(0, kWindowHandleDigits))));
}

std::optional<uint32_t> StrictHandleOfWindowEntry(std::string_view text) {
  constexpr std::string_view kSeparator = " - ";
  if (text.size() < kWindowHandleDigits) return std::nullopt;
  const std::string_view rest = text.substr(kWindowHandleDigits);
  if (!rest.empty() && rest.substr(0, kSeparator.size()) != kSeparator) return std::nullopt;
  uint32_t handle = 0;
  for (const char c : text.substr(0, kWindowHandleDigits)) {
    const bool digit = c >= '0' && c <= '9', letter = c >= 'A' && c <= 'F';
    if (!digit && !letter) return std::nullopt;
    handle = handle << 4 | static_cast<uint32_t>(digit ? c - '0' : c - 'A' + 10);
  }
  return handle;
}

}  // namespace dx
