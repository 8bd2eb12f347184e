// Setting the run's current point from a MOUSE or GETCOLOR operand.
#pragma once

#include <string_view>

namespace dx {

struct RunState;

// ".x.y": explicit coordinates; x up to the second full stop, y after it.
void SetPointFromCoordinates(std::string_view location, RunState& state);

// A location slot number; a number outside 1..20 leaves the point as the
// last MOUSE or GETCOLOR of the run set it.
void SetPointFromSlot(std::string_view location, RunState& state);

}  // namespace dx
