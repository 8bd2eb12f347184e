// Loading and saving through CreateFileA, ReadFile, WriteFile and
// CloseHandle, reporting the failing call's GetLastError code.
#pragma once

#include "scriptfile/file_system.h"

namespace dx::win {

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

}  // namespace dx::win
