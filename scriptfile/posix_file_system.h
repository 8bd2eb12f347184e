// The file operations of the native build, on POSIX calls, with errno
// mapped onto the Windows error codes that the messages are chosen from.
#pragma once

#include <string>

#include "scriptfile/file_system.h"

namespace dx {

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

}  // namespace dx
