#include "win32/text_encoding.h"

#include <windows.h>

namespace dx::win {
namespace {

std::wstring Decode(UINT codePage, std::string_view text) {
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
  return wide;
}

}  // namespace

std::wstring WideFromProgramText(std::string_view text) { return Decode(CP_UTF8, text); }

std::wstring WideFromMessage(const MessageText& message) {
  std::wstring wide;
  for (const TextPart& part : message.Parts())
    wide += Decode(part.encoding == TextPart::Encoding::Document ? CP_ACP : CP_UTF8, part.bytes);
  return wide;
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
