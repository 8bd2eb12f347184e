// A simulated run in the manual's own words, as its "=>" lines say it:
// "move 100,200; left down; left up; wait 500; end; release key 10 up".
// A wait's length is read from its clock reads, so it is exact when the
// clock moves 1 ms a read.
#pragma once

#include <string>
#include <vector>

#include "sim/sim_log.h"

namespace dx {

// `ending` is how the run ended: "end", "...", "error MESSAGE".
std::string RunInWords(const std::vector<SimEvent>& events, const std::string& ending, int screen_width,
                       int screen_height);

}  // namespace dx
