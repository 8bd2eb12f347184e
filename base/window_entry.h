// A window entry, the text that names a target window in the window list,
// the target field and on command lines: 8 upper-case hexadecimal digits of
// the window's handle, " - ", its title.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dx {

std::string WindowEntry(uint32_t handleValue, std::string_view title);

// The handle of an entry that is exactly 8 upper-case hexadecimal digits,
// alone or followed by " - " and any title; nothing for any other text.
std::optional<uint32_t> WindowEntryHandle(std::string_view entry);

}  // namespace dx
