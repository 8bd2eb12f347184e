// Hexadecimal text for key codes (2 digits), window handles (8) and the
// numbers of the script file (3 and 4).
#pragma once

#include <cstdint>
#include <string>

namespace dx {

// Upper-case hexadecimal, zero-padded on the left to at least `digits`
// digits. A negative value gives the eight digits of its 32-bit two's
// complement, as a window handle or a stored coordinate has always shown it.
std::string FormatHex(int64_t value, int digits);

}  // namespace dx
