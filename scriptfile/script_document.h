// What a script file holds: the whole editable state of a script, all of it
// text exactly as the main window shows it (single-byte ANSI characters).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/slot_counts.h"

namespace dx {


struct LocationSlotText {
  std::string x;
  std::string y;
};

struct ScriptDocument {
  std::vector<std::string> notes;
  std::vector<std::string> code;
  std::array<std::string, kKeySlotCount> keys;            // slot n at [n - 1]
  std::array<LocationSlotText, kLocationSlotCount> locations;  // slot n at [n - 1]
};

}  // namespace dx
