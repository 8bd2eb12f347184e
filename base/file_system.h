// The file operations behind loading and saving, so that the Windows build
// uses the Win32 calls (file_system_win32.cpp) and the native build the
// POSIX ones (file_system_posix.cpp). Failures are
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

// The Windows error codes the implementations return; IoErrorMessage names
// 2 to 5 and 223, and gives the others by number.
inline constexpr uint32_t kFileNotFound = 2;
inline constexpr uint32_t kPathNotFound = 3;
inline constexpr uint32_t kTooManyOpenFiles = 4;
inline constexpr uint32_t kAccessDenied = 5;  // also a folder, pipe or device
inline constexpr uint32_t kWriteFault = 29;
inline constexpr uint32_t kReadFault = 30;
inline constexpr uint32_t kGeneralFailure = 31;
inline constexpr uint32_t kSharingViolation = 32;
inline constexpr uint32_t kDiskFull = 112;
inline constexpr uint32_t kFileTooLarge = 223;  // above kLargestScriptFile

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads the whole existing file into `bytes`. Returns 0 or the error code
  // of the failing open, read or close; the file is closed on every path.
  // Only a regular file is read, without ever blocking on the open (a pipe
  // or device gives kAccessDenied); one above kLargestScriptFile gives
  // kFileTooLarge.
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

#ifdef _WIN32

namespace win {

// Loading and saving through CreateFileA, ReadFile, WriteFile and
// CloseHandle, reporting the failing call's GetLastError code.
class Win32FileSystem final : public FileSystem {
 public:
  uint32_t ReadWholeFile(const std::string& path, std::string& bytes) override;

  // The target is first opened for writing as a save would open it, so that
  // a file that cannot be written (held open by another program, read-only,
  // missing folder) gives that call's code and is not touched. The bytes
  // then go to a temporary file beside it, which replaces the target only
  // once it is complete; the temporary file is removed on every failure.
  // Where the folder refuses the temporary file, a writable target is
  // written in place instead.
  uint32_t ReplaceWholeFile(const std::string& path, std::string_view bytes) override;
};

// The name of the temporary file written beside `path`.
std::string TemporaryNameBeside(const std::string& path);

}  // namespace win

// The file system of the build that runs: the program's, or dxsim's.
using NativeFileSystem = win::Win32FileSystem;

#else

// The file operations of the native build, on POSIX calls, with errno
// mapped onto the Windows error codes that the messages are chosen from.
class PosixFileSystem : public FileSystem {
 public:
  uint32_t ReadWholeFile(const std::string& path, std::string& bytes) override;

  // Writes a uniquely named temporary file in the target's folder, flushes
  // it to the disk and renames it over the target; on any failure the
  // temporary file is removed and the old file stays as it was. Like the
  // Windows build, refuses to replace a folder or a file without write
  // permission. A symbolic link is followed: the file it names is replaced.
  // A folder that refuses the temporary file while the file itself is
  // writable gets the bytes written into the file in place.
  uint32_t ReplaceWholeFile(const std::string& path, std::string_view bytes) override;
};

enum class FileOperation { kRead, kWrite };

// The Windows code for an errno of an operation on `path`. ENOENT tells a
// missing file (2) from a missing folder (3) by looking at the folder.
uint32_t WindowsCodeForErrno(int error, const std::string& path, FileOperation operation);

using NativeFileSystem = PosixFileSystem;

#endif

}  // namespace dx
