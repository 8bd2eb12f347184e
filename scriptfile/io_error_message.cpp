#include "base/file_system.h"

namespace dx {

std::string IoErrorMessage(uint32_t code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 223: return "File too large";
    default: return "I/O error " + std::to_string(code);
  }
}

}  // namespace dx
