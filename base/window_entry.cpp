#include "base/window_entry.h"

#include "base/format_hex.h"

namespace dx {
namespace {

constexpr std::size_t kHandleDigits = 8;
constexpr std::string_view kSeparator = " - ";

int UpperHexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string WindowEntry(uint32_t handleValue, std::string_view title) {
  return FormatHex(handleValue, kHandleDigits) + std::string(kSeparator) + std::string(title);
}

std::optional<uint32_t> WindowEntryHandle(std::string_view entry) {
  if (entry.size() < kHandleDigits) return std::nullopt;
  const std::string_view rest = entry.substr(kHandleDigits);
  if (!rest.empty() && rest.substr(0, kSeparator.size()) != kSeparator) return std::nullopt;
  uint32_t handle = 0;
  for (std::size_t i = 0; i < kHandleDigits; ++i) {
    const int digit = UpperHexDigit(entry[i]);
    if (digit < 0) return std::nullopt;
    handle = handle << 4 | static_cast<uint32_t>(digit);
  }
  return handle;
}

}  // namespace dx
