#include "base/file_system.h"

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

HANDLE OpenForWriting(const std::string& path, DWORD disposition) {
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

// 0 when the target can be written or does not exist yet.
uint32_t ProbeTarget(const std::string& path, bool& exists) {
  HANDLE file = OpenForWriting(path, OPEN_EXISTING);
  exists = file != INVALID_HANDLE_VALUE;
  if (!exists) {
    const uint32_t code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND ? 0 : code;
  }
  return CloseAndReport(file, 0);
}

// The fallback when the folder refuses the temporary file: the bytes go
// straight into the existing file, which is cut to their length.
uint32_t WriteInPlace(const std::string& path, std::string_view bytes) {
  HANDLE file = OpenForWriting(path, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  uint32_t code = WriteAll(file, bytes);
  if (code == 0 && !SetEndOfFile(file)) code = GetLastError();
  return CloseAndReport(file, code);
}

// Only a file on a disk, of a script's size at most; never a pipe or device.
uint32_t CheckReadable(HANDLE file) {
  if (GetFileType(file) != FILE_TYPE_DISK) return kAccessDenied;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) return GetLastError();
  return static_cast<uint64_t>(size.QuadPart) > kLargestScriptFile ? kFileTooLarge : 0;
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
  if (const uint32_t code = CheckReadable(file)) return CloseAndReport(file, code);
  std::string buffer(kBufferSize, '\0');
  uint32_t code = 0;
  while (code == 0) {
    DWORD got = 0;
    if (!ReadFile(file, buffer.data(), kBufferSize, &got, nullptr)) {
      code = GetLastError();
      break;
    }
    if (got == 0) break;
    bytes.append(buffer.data(), got);
    if (bytes.size() > kLargestScriptFile) code = kFileTooLarge;  // it grew while read
  }
  if (code != 0) bytes.clear();
  return CloseAndReport(file, code);
}

uint32_t Win32FileSystem::ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  bool exists = false;
  if (const uint32_t code = ProbeTarget(path, exists)) return code;
  const std::string temp = TemporaryNameBeside(path);
  HANDLE file = OpenForWriting(temp, CREATE_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) {
    const uint32_t code = GetLastError();
    return exists && code == ERROR_ACCESS_DENIED ? WriteInPlace(path, bytes) : code;
  }
  uint32_t code = CloseAndReport(file, WriteAll(file, bytes));
  if (code == 0 && !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = GetLastError();
  }
  if (code != 0) DeleteFileA(temp.c_str());
  return code;
}

}  // namespace dx::win
