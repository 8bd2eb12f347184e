// One code line as the checker sees it, and the sink its findings go to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "checker/diagnostic.h"

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

std::string DidYouMean(std::string_view line);

class Findings {
 public:
  void Add(int line, int column, Rule rule, std::string message, std::string suggestion = {}) {
    diagnostics_.push_back({line, column, rule, std::move(message), std::move(suggestion)});
  }
  void At(const CodeLine& line, std::string_view part, Rule rule, std::string message, std::string suggestion = {}) {
    Add(line.number, line.ColumnOf(part), rule, std::move(message), std::move(suggestion));
  }
  // In line order, then by column; findings of one place keep their order.
  std::vector<Diagnostic> Sorted() &&;

 private:
  std::vector<Diagnostic> diagnostics_;
};

}  // namespace dx::check
