#include "platform/text_encoding.h"

#include <windows.h>

namespace dx::win {
namespace {

std::wstring Decode(UINT codePage, DWORD flags, std::string_view text) {
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), needed);
  return wide;
}

}  // namespace

std::wstring WideFromProgramText(std::string_view text) {
  if (text.empty()) return {};
  std::wstring wide = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  return wide.empty() ? Decode(CP_ACP, 0, text) : wide;
}

std::string ProgramTextFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
  return bytes;
}

}  // namespace dx::win
