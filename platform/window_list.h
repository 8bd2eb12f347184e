// The titled top-level windows of the desktop as window entries (see
// base/window_entry.h), the title at most 199 characters, as GetWindowTextA
// returns it into 200 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/window_entry.h"

namespace dx::win {

// In the system's enumeration order (top of the window order first).
std::vector<std::string> TitledTopLevelWindowEntries();

}  // namespace dx::win
