// An input record in words, read from its bytes: "move 100,200",
// "move by 3,-4", "left down, left up", "mouse, no action", "key 0D up",
// "key 25 down, extended". dxsim prints it behind every record it sends and
// the manual's examples say their records so.
#pragma once

#include <string>

#include "engine/input_record.h"

namespace dx {

// The screen size turns an absolute move back into the pixel it lands on.
std::string RecordLabel(const InputRecord& record, int screen_width, int screen_height);

}  // namespace dx
