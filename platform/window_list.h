// The titled top-level windows of the desktop as window entries:
// 8 upper-case hexadecimal digits of the handle, " - ", the title (at most
// 199 characters, as GetWindowTextA returns it into 200 bytes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dx::win {

std::string WindowEntry(uint32_t handleValue, std::string_view title);

// In the system's enumeration order (top of the window order first).
std::vector<std::string> TitledTopLevelWindowEntries();

}  // namespace dx::win
