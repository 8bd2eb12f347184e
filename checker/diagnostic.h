// One finding of the checker.
#pragma once

#include <string>

#include "checker/rules.h"

namespace dx::check {

// The edit a suggestion proposes, when it is one code line's new text: a
// host may offer to make it, and tests make it to see the finding go.
struct Fix {
  int line = 0;  // 1-based in the code section; 0 when the suggestion is no such edit
  std::string text;
};

struct Diagnostic {
  int line = 0;    // 1-based in the code section; 0 for the file as a whole
  int column = 0;  // 1-based, where the offending text starts; 0 with line 0
  Rule rule = Rule::InvalidInteger;
  std::string message;
  std::string suggestion;  // "" or a hint such as "did you mean 'LOOP 5'?"
  Fix fix = {};

  Severity severity() const { return RuleOf(rule).severity; }
};

}  // namespace dx::check
