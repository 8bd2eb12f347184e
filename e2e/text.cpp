#include "e2e/text.h"

#include <windows.h>

#include <cstdio>

namespace dxe {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring DosPath(std::string_view unix_path) {
  if (unix_path.size() > 1 && unix_path[1] == ':') return Widen(unix_path);  // already a DOS path
  std::wstring out = L"Z:" + Widen(unix_path);
  for (auto& c : out)
    if (c == L'/') c = L'\\';
  return out;
}

std::string Shown(std::wstring_view text) {
  std::string out = "\"";
  for (char c : Narrow(text)) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (static_cast<unsigned char>(c) < 32) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned char>(c));
      out += buf;
    } else out += c;
  }
  return out + "\"";
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
  CloseHandle(f);
  return true;
}

}  // namespace dxe
