#include "engine/keyword_rule.h"

namespace dx {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

bool MatchKeyword(std::string_view line, std::string_view keyword) {
  if (line.size() < keyword.size()) return false;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    if (AsciiUpper(line[i]) != keyword[i]) return false;
  }
  return true;
}

void StripLeadingBlanks(std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t");
  line.erase(0, first == std::string::npos ? line.size() : first);
}

OperandPair SplitAtFirstBlank(std::string_view text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return {text, {}};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

std::string_view TextFrom(std::string_view line, std::size_t position) {
  if (position == 0 || position > line.size()) return {};
  return line.substr(position - 1);
}

std::string_view TextAt(std::string_view line, std::size_t position, std::size_t count) {
  return TextFrom(line, position).substr(0, count);
}

}  // namespace dx
