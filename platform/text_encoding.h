// Conversions between the program's texts and the wide strings of the W
// functions. Program texts are UTF-8; messages may quote document text,
// which is in the machine's ANSI code page, so a text that is not valid
// UTF-8 is read in that code page instead of being garbled.
#pragma once

#include <string>
#include <string_view>

namespace dx::win {

std::wstring WideFromProgramText(std::string_view text);
std::string ProgramTextFromWide(std::wstring_view text);

}  // namespace dx::win
