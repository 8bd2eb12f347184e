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

}  // namespace dx
