// EntryTitle, apart from the X calls so that it is tested without a display.
#include "x11/windows.h"

namespace dx::x11 {
namespace {

constexpr std::size_t kLongestTitle = 199;

bool StartsCodePoint(unsigned char c) { return (c & 0xC0) != 0x80; }

}  // namespace

std::string EntryTitle(std::string_view utf8) {
  std::string title;
  std::size_t code_points = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (StartsCodePoint(byte) && ++code_points > kLongestTitle) break;
    title += byte < 0x20 || byte == 0x7F ? ' ' : c;
  }
  return title;
}

}  // namespace dx::x11
