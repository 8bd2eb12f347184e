// One code line as the checker sees it, and the sink its findings go to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "checker/diagnostic.h"
#include "engine/command_table.h"

namespace dx::check {

struct CodeLine {
  int number = 0;             // 1-based in the code section
  std::string_view raw;       // as the file holds it
  std::string_view stripped;  // without leading blanks and tabs, as the handlers get it
  int leading = 0;            // how many blanks and tabs were stripped

  // The 1-based column in the raw line of a view into `stripped`; a view
  // that points nowhere into it (an empty operand) gives the end of the line.
  int ColumnOf(std::string_view part) const;
  int EndColumn() const { return leading + static_cast<int>(stripped.size()) + 1; }
  // The raw line with `part` (a view into `stripped`) replaced.
  std::string Rewritten(std::string_view part, std::string_view replacement) const;
};

// Messages name commands through the table, so that a keyword lives in one place.
inline std::string Name(Command command) { return std::string(CommandName(command)); }

// A suggestion's text and, when following it means rewriting one line, that edit.
struct Suggestion {
  Suggestion() = default;
  Suggestion(std::string text) : text(std::move(text)) {}  // NOLINT: a plain hint converts
  Suggestion(const char* text) : text(text) {}              // NOLINT
  Suggestion(std::string text, Fix fix) : text(std::move(text)), fix(std::move(fix)) {}
  std::string text;
  Fix fix;
};

// "did you mean 'TEXT'?", TEXT the whole new line.
Suggestion DidYouMean(const CodeLine& line, std::string text);
// `part` (a view into line.stripped) without the blanks and tabs around
// it; said in words, because the new line looks like the old one.
Suggestion DeleteBlanksAround(const CodeLine& line, std::string_view part);
// The one comment style that no keyword can start: a ';' in front.
Suggestion CommentOut(const CodeLine& line);

bool IsBlank(char c);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
// The words of the text, split at blanks and tabs.
std::vector<std::string_view> Tokens(std::string_view text);
// Optimal string alignment distance of exactly one edit (a character
// changed, missing, extra, or two neighbours swapped).
bool OneEditApart(std::string_view a, std::string_view b);

class Findings {
 public:
  void Add(int line, int column, Rule rule, std::string message, Suggestion suggestion = {}) {
    diagnostics_.push_back(
        {line, column, rule, std::move(message), std::move(suggestion.text), std::move(suggestion.fix)});
  }
  void At(const CodeLine& line, std::string_view part, Rule rule, std::string message, Suggestion suggestion = {}) {
    Add(line.number, line.ColumnOf(part), rule, std::move(message), std::move(suggestion));
  }
  // Whether a finding of error severity was made for the line since `mark` (a Size()).
  bool ErrorSince(std::size_t mark, int line) const;
  std::size_t Size() const { return diagnostics_.size(); }
  // In line order, then by column; findings of one place keep their order.
  std::vector<Diagnostic> Sorted() &&;

 private:
  std::vector<Diagnostic> diagnostics_;
};

}  // namespace dx::check
