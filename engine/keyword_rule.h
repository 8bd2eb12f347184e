// How a handler recognises its line and takes its operands apart.
#pragma once

#include <string>
#include <string_view>

namespace dx {

// True when the line's first keyword.size() characters, with a-z turned into
// A-Z, equal the keyword. A line shorter than the keyword never matches.
bool MatchKeyword(std::string_view line, std::string_view keyword);

// Removes every blank and tab at the start of the line, in place.
void StripLeadingBlanks(std::string& line);

struct OperandPair {
  std::string_view first;
  std::string_view second;
};

// Cuts the text at its first blank: the first operand is everything before
// it (possibly empty), the second everything after it, unchanged. Without a
// blank the second is empty. Any length of text works.
OperandPair SplitAtFirstBlank(std::string_view text);

// The text from the 1-based position `position` to the end, or "" when the
// line is shorter.
std::string_view TextFrom(std::string_view line, std::size_t position);

// Up to `count` characters from the 1-based position (fewer where the line
// ends there).
std::string_view TextAt(std::string_view line, std::size_t position, std::size_t count);

char AsciiUpper(char c);
std::string AsciiUpper(std::string_view text);

}  // namespace dx
