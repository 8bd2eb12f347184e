// Why a script file does not read, at which line: what the tools print as
// FILE:LINE: message.
#pragma once

#include <string>

namespace dx {

struct FileProblem {
  int line = 0;  // 1-based, as editors and grep -n count the file's lines
  std::string message;
};

}  // namespace dx
