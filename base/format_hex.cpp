#include "base/format_hex.h"

namespace dx {

std::string FormatHex(int64_t value, int digits) {
  uint64_t bits = value < 0 ? static_cast<uint32_t>(value) : static_cast<uint64_t>(value);
  std::string text;
  do {
    text.insert(text.begin(), "0123456789ABCDEF"[bits % 16]);
    bits /= 16;
  } while (bits != 0);
  if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  return text;
}

}  // namespace dx
