// Where the code lines of a file that was read stand in it, as editors
// count lines (1-based): messages about a code line name the file's line.
#pragma once

#include <cstdint>
#include <vector>

namespace dx {

struct ScriptFileLines {
  int32_t first_code_line = 0;  // the file line of code line 1 in a .dxs file
  // A plain script's code lines are not one block: the file line of each.
  std::vector<int32_t> code_file_lines;

  // The file line of code line `index` (0-based).
  int32_t FileLineOfCode(int32_t index) const {
    if (index >= 0 && static_cast<std::size_t>(index) < code_file_lines.size()) {
      return code_file_lines[static_cast<std::size_t>(index)];
    }
    return first_code_line + index;
  }
};

}  // namespace dx
