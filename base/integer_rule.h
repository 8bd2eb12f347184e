// The integer rule: the one conversion of text to a 32-bit signed integer,
// shared by the engine, the script file and the stop key.
//
// Accepted: leading blanks (not tabs), then either an optional sign and
// decimal digits (-2147483648 .. 2147483647), or "$", "x", "X", "0x", "0X"
// and hexadecimal digits forming a 32-bit pattern (eight F give -1).
// Nothing may follow the digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/message_text.h"

namespace dx {

std::optional<int32_t> TryStrToInt(std::string_view text);

// Converts or throws ScriptError("'<text>' is not a valid integer value").
int32_t StrToInt(std::string_view text);

// "'<text>' is not a valid integer value", the text quoted as document text.
MessageText InvalidIntegerMessage(std::string_view text);

// 0..15 for a hexadecimal digit in either case, else -1.
int HexDigitValue(char c);

}  // namespace dx
