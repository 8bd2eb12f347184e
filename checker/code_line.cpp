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

Suggestion DidYouMean(const CodeLine& line, std::string text) {
  std::string hint = "did you mean '" + text + "'?";
  return {std::move(hint), {line.number, std::move(text)}};
}

namespace {

// "the blank", "the 2 tabs", "the blank and tab".
std::string BlanksInWords(std::string_view blanks) {
  const auto tabs = static_cast<std::size_t>(std::count(blanks.begin(), blanks.end(), '\t'));
  if (blanks.size() == 1) return tabs == 1 ? "the tab" : "the blank";
  if (tabs == 0) return "the " + std::to_string(blanks.size()) + " blanks";
  if (tabs == blanks.size()) return "the " + std::to_string(tabs) + " tabs";
  return "the blanks and tabs";
}

}  // namespace

Suggestion DeleteBlanksAround(const CodeLine& line, std::string_view part) {
  const std::string_view trimmed = TrimRight(TrimLeft(part));
  const std::size_t before = static_cast<std::size_t>(trimmed.data() - part.data());
  const std::size_t after = part.size() - before - trimmed.size();
  std::string what;
  if (before > 0) what = BlanksInWords(part.substr(0, before)) + " before";
  if (after > 0) what += (what.empty() ? "" : " and ") + BlanksInWords(part.substr(before + trimmed.size())) + " after";
  Suggestion s = DidYouMean(line, line.Rewritten(part, trimmed));
  s.text = "delete " + what + " '" + std::string(trimmed) + "': " + s.text;
  return s;
}

Suggestion CommentOut(const CodeLine& line) {
  Suggestion s = DidYouMean(line, std::string(line.raw.substr(0, static_cast<std::size_t>(line.leading))) + "; " +
                                      std::string(line.stripped));
  s.text = "a line that starts with ';' is always a comment: " + s.text;
  return s;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  for (text = TrimLeft(text); !text.empty(); text = TrimLeft(text)) {
    const std::size_t end = std::min(text.find_first_of(" \t"), text.size());
    tokens.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
  return tokens;
}

bool OneEditApart(std::string_view a, std::string_view b) {
  if (a == b) return false;
  if (a.size() == b.size()) {
    std::size_t i = 0;
    while (a[i] == b[i]) ++i;
    if (a.substr(i + 1) == b.substr(i + 1)) return true;
    return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.substr(i + 2) == b.substr(i + 2);
  }
  if (a.size() + 1 == b.size()) std::swap(a, b);
  if (b.size() + 1 != a.size()) return false;
  std::size_t i = 0;
  while (i < b.size() && a[i] == b[i]) ++i;
  return a.substr(i + 1) == b.substr(i);
}

bool Findings::ErrorSince(std::size_t mark, int line) const {
  for (std::size_t i = mark; i < diagnostics_.size(); ++i) {
    if (diagnostics_[i].line == line && diagnostics_[i].severity() == Severity::Error) return true;
  }
  return false;
}

std::vector<Diagnostic> Findings::Sorted() && {
  // Small keys are sorted, so that each finding is moved once.
  struct Key {
    int line;
    int column;
    std::size_t index;
  };
  std::vector<Key> keys;
  keys.reserve(diagnostics_.size());
  for (std::size_t i = 0; i < diagnostics_.size(); ++i) keys.push_back({diagnostics_[i].line, diagnostics_[i].column, i});
  std::stable_sort(keys.begin(), keys.end(),
                   [](const Key& a, const Key& b) { return a.line != b.line ? a.line < b.line : a.column < b.column; });
  std::vector<Diagnostic> sorted;
  sorted.reserve(keys.size());
  for (const Key& key : keys) sorted.push_back(std::move(diagnostics_[key.index]));
  return sorted;
}

}  // namespace dx::check
