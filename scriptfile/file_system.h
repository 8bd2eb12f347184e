// The file operations behind loading and saving, so that the Windows build
// uses the Win32 calls and the native build the POSIX ones. Failures are
// reported as Windows error codes (2 file not found, 3 path not found,
// 4 too many open files, 5 access denied, 32 sharing violation, 112 disk
// full, ...); the POSIX implementation maps errno onto them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dx {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads the whole existing file into `bytes`. Returns 0 or the error code
  // of the failing open, read or close; the file is closed on every path.
  virtual uint32_t ReadWholeFile(const std::string& path, std::string& bytes) = 0;

  // Makes `bytes` the complete content of the file at `path`. The previous
  // file stays intact unless the new content was written completely: the
  // data goes to a file beside it that replaces it only at the end. Returns
  // 0 or the error code of the failing operation; nothing half-written is
  // left behind.
  virtual uint32_t ReplaceWholeFile(const std::string& path, std::string_view bytes) = 0;
};

// The I/O error message for a Windows error code ("File not found", ...).
std::string IoErrorMessage(uint32_t code);

}  // namespace dx
