#include "win32/window_list.h"

#include <windows.h>

#include <array>

#include "win32/handle_value.h"
#include "engine/window_entry.h"

namespace dx::win {
namespace {

BOOL CALLBACK AddTitledWindow(HWND window, LPARAM param) {
  auto* entries = reinterpret_cast<std::vector<std::string>*>(param);
  std::array<char, kLongestWindowTitle + 1> title{};
  const int length = GetWindowTextA(window, title.data(), static_cast<int>(title.size()));
  if (length > 0) entries->push_back(WindowEntry(ValueFromHandle(window), std::string_view(title.data(), length)));
  return TRUE;
}

}  // namespace

std::vector<std::string> TitledTopLevelWindowEntries() {
  std::vector<std::string> entries;
  EnumWindows(AddTitledWindow, reinterpret_cast<LPARAM>(&entries));
  return entries;
}

}  // namespace dx::win
