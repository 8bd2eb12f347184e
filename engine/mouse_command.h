// MOUSE: absolute moves and button actions through the run's InputRecord.
#pragma once

#include <cstdint>
#include <string_view>

namespace dx {

struct RunState;

void MouseCommand(std::string_view line, RunState& state);

// Screen pixels to the 0..65536 absolute range: (65536 / extent) * pixel,
// quotient first, rounded half to even, no clamping; the result wraps to 32
// bits the way the record's field holds it. A zero extent gives 0.
int32_t NormaliseCoordinate(int32_t pixel, int extent);

}  // namespace dx
