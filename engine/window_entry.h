// A window entry: the text that names a target window, as the picker writes
// it and EditWin holds it: the handle as exactly 8 upper-case hexadecimal
// digits, " - ", and the title of at most 199 characters. A run reads the
// handle back from the first 8 characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dx {

inline constexpr std::size_t kWindowHandleDigits = 8;
inline constexpr std::size_t kLongestWindowTitle = 199;

// The entry of a window; a longer title is cut to kLongestWindowTitle bytes.
std::string WindowEntry(uint32_t handle, std::string_view title);

// True when the text holds more than the handle's digits, as an entry the
// picker made does; a run refuses to start otherwise.
inline bool NamesAWindow(std::string_view text) { return text.size() > kWindowHandleDigits; }

// The number written by the first 8 characters, read as hexadecimal by the
// integer rule (which throws for what is no number).
uint32_t HandleOfWindowEntry(std::string_view text);

// The handle of a text that is exactly the 8 upper-case hexadecimal digits,
// alone or followed by " - " and any title, as a command line names a
// window; nothing for any other text.
std::optional<uint32_t> StrictHandleOfWindowEntry(std::string_view text);

}  // namespace dx
