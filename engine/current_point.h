// The position operand of MOUSE GO and GETCOLOR, and setting the run's
// current point from it.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/slot_counts.h"

namespace dx {

struct RunState;

// A position as written; every text is a view into the operand.
struct LocationOperand {
  bool coordinates = false;  // ".x.y": explicit coordinates
  std::string_view x;        // up to the second full stop
  std::string_view y;        // after it; empty (at the end) when there is none
  std::string_view slot;     // otherwise: a location slot number
};

// `location` is not empty.
LocationOperand ReadLocationOperand(std::string_view location);

// The location slots a line reads; any other number leaves the point as the
// last MOUSE or GETCOLOR of the run set it.

void SetPointFromLocation(const LocationOperand& location, RunState& state);

}  // namespace dx
