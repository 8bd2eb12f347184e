// Conversions between the program's texts and the wide strings of the W
// functions. Program texts are UTF-8; document text is in the machine's
// ANSI code page; a message says which of its parts is which.
#pragma once

#include <string>
#include <string_view>

#include "base/message_text.h"

namespace dx::win {

std::wstring WideFromProgramText(std::string_view text);
// Each part from its own encoding.
std::wstring WideFromMessage(const MessageText& message);
std::string ProgramTextFromWide(std::wstring_view text);

}  // namespace dx::win
