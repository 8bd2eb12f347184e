#include "base/file_system.h"

namespace dx {

std::string IoErrorMessage(uint32_t code) {
  switch (code) {
    case kFileNotFound: return "File not found";
    case kPathNotFound: return "Invalid filename";
    case kTooManyOpenFiles: return "Too many open files";
    case kAccessDenied: return "File access denied";
    case kFileTooLarge: return "File too large";
    default: return "I/O error " + std::to_string(code);
  }
}

}  // namespace dx
