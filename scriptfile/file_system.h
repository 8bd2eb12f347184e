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

// No script file is larger: a 100,000-line script takes about 2 MB. A larger
// file (or a device that never ends) is refused before it fills the memory.
inline constexpr uint64_t kLargestScriptFile = uint64_t{64} << 20;

// Codes the implementations return for what is no script file.
inline constexpr uint32_t kAccessDeniedCode = 5;    // a folder, pipe, device
inline constexpr uint32_t kFileTooLargeCode = 223;  // above kLargestScriptFile

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads the whole existing file into `bytes`. Returns 0 or the error code
  // of the failing open, read or close; the file is closed on every path.
  // Only a regular file is read, without ever blocking on the open (a pipe
  // or device gives kAccessDeniedCode); one above kLargestScriptFile gives
  // kFileTooLargeCode.
  virtual uint32_t ReadWholeFile(const std::string& path, std::string& bytes) = 0;

  // Makes `bytes` the complete content of the file at `path`. The previous
  // file stays intact unless the new content was written completely: the
  // data goes to a file beside it that replaces it only at the end. Returns
  // 0 or the error code of the failing operation; nothing half-written is
  // left behind. Where the folder refuses a new file but the file itself
  // may be written, the file is written in place instead.
  virtual uint32_t ReplaceWholeFile(const std::string& path, std::string_view bytes) = 0;
};

// The I/O error message for a Windows error code ("File not found", ...).
std::string IoErrorMessage(uint32_t code);

}  // namespace dx
