// The titled top-level windows of the desktop as window entries
// (engine/window_entry.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dx::win {

// In the system's enumeration order (top of the window order first).
std::vector<std::string> TitledTopLevelWindowEntries();

}  // namespace dx::win
