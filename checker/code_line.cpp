#include "checker/code_line.h"

#include <algorithm>
#include <functional>

namespace dx::check {

int CodeLine::ColumnOf(std::string_view part) const {
  const char* begin = stripped.data();
  const char* end = begin + stripped.size();
  const char* at = part.data();
  const bool inside =
      at != nullptr && std::less_equal<const char*>()(begin, at) && std::less_equal<const char*>()(at, end);
  const std::size_t offset = inside ? static_cast<std::size_t>(at - begin) : stripped.size();
  return leading + static_cast<int>(offset) + 1;
}

std::string CodeLine::Rewritten(std::string_view part, std::string_view replacement) const {
  const std::size_t offset = static_cast<std::size_t>(ColumnOf(part) - leading - 1);
  std::string text(raw.substr(0, static_cast<std::size_t>(leading)));
  text += stripped.substr(0, offset);
  text += replacement;
  text += stripped.substr(std::min(stripped.size(), offset + part.size()));
  return text;
}

std::string DidYouMean(std::string_view line) { return "did you mean '" + std::string(line) + "'?"; }

std::vector<Diagnostic> Findings::Sorted() && {
  std::stable_sort(diagnostics_.begin(), diagnostics_.end(), [](const Diagnostic& a, const Diagnostic& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
  return std::move(diagnostics_);
}

}  // namespace dx::check
