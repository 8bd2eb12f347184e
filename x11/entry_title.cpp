// EntryTitle, apart from the X calls so that it is tested without a display.
#include <algorithm>

#include "engine/window_entry.h"
#include "x11/windows.h"

namespace dx::x11 {
namespace {

bool StartsCodePoint(unsigned char c) { return (c & 0xC0) != 0x80; }

}  // namespace

std::string EntryTitle(std::string_view utf8) {
  // Cut before the code point that the entry's byte limit would split.
  std::size_t length = std::min(utf8.size(), kLongestWindowTitle);
  if (length < utf8.size()) {
    while (length > 0 && !StartsCodePoint(static_cast<unsigned char>(utf8[length]))) --length;
  }
  std::string title(utf8.substr(0, length));
  for (char& c : title) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return title;
}

}  // namespace dx::x11
