#include "platform/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace dx::win {
namespace {

constexpr DWORD kBufferSize = 64 * 1024;

// Closes the handle and returns `code`, or the close's own error when the
// operation itself succeeded but the close failed.
uint32_t CloseAndReport(HANDLE file, uint32_t code) {
  if (!CloseHandle(file) && code == 0) return GetLastError();
  return code;
}

uint32_t WriteAll(HANDLE file, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(kBufferSize, bytes.size() - done));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_DISK_FULL;
    done += written;
  }
  return FlushFileBuffers(file) ? 0 : GetLastError();
}

// 0 when the target can be written or does not exist yet.
uint32_t ProbeTarget(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const uint32_t code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND ? 0 : code;
  }
  return CloseAndReport(file, 0);
}

uint32_t WriteTemporary(const std::string& temp, std::string_view bytes) {
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  return CloseAndReport(file, WriteAll(file, bytes));
}

}  // namespace

std::string TemporaryNameBeside(const std::string& path) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%lx.dxtmp", static_cast<unsigned long>(GetCurrentProcessId()));
  return path + suffix;
}

uint32_t Win32FileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  std::string buffer(kBufferSize, '\0');
  uint32_t code = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer.data(), kBufferSize, &got, nullptr)) {
      code = GetLastError();
      break;
    }
    if (got == 0) break;
    bytes.append(buffer.data(), got);
  }
  return CloseAndReport(file, code);
}

uint32_t Win32FileSystem::ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  if (const uint32_t code = ProbeTarget(path)) return code;
  const std::string temp = TemporaryNameBeside(path);
  uint32_t code = WriteTemporary(temp, bytes);
  if (code == 0 && !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = GetLastError();
  }
  if (code != 0) DeleteFileA(temp.c_str());
  return code;
}

}  // namespace dx::win
