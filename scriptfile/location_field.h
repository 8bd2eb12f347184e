// The coordinates of a location line ("NN: $064,$0C8").
//
// Positions from 0 to 4095 are written as "$" and exactly three hex digits,
// the form every reader of these files takes from columns 5-8 and 10-13.
// Any other position (left of or above the primary monitor, or beyond 4095)
// is written in the wide form: "$", a sign, and the hex digits of the
// magnitude, e.g. "03: $-5,$+1000" for x -5, y 4096, or "04: $064,$-1E"
// when only y is out of range. The sign stands where a three-column reader
// expects a hex digit, so such a line never passes for a three-digit one:
// a file the three-column reading accepts is read exactly as before, and
// the wide reading is tried only on a line that the three-column reading
// would reject.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dx {

struct Coordinates {
  int32_t x;
  int32_t y;
};

// One coordinate with its "$": "$064" for 0..4095, else "$-5" / "$+1000".
std::string FormatCoordinate(int32_t value);

// Reads the text behind "NN: " as two whole fields "$F,$F" with nothing
// after the second, each F either signed ("-5", "+1000") or plain hex
// digits taken as a 32-bit pattern; the latter also recovers positions that
// older saves wrote as "$1000" or "$FFFFFFFB". Empty when it is not that.
std::optional<Coordinates> ParseWideCoordinates(std::string_view text);

}  // namespace dx
