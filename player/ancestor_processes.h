// The processes a player runs under, read from /proc: a terminal whose
// title shows the command line would otherwise match the player's own
// --window-name text.
#pragma once

#include <cstdint>
#include <set>

namespace dx {

std::set<uint32_t> AncestorProcessIds();

}  // namespace dx
