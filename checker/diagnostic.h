// One finding of the checker.
#pragma once

#include <string>

#include "checker/rules.h"

namespace dx::check {

struct Diagnostic {
  int line = 0;    // 1-based in the code section; 0 for the file as a whole
  int column = 0;  // 1-based, where the offending text starts; 0 with line 0
  Rule rule = Rule::InvalidInteger;
  std::string message;
  std::string suggestion;  // "" or a hint such as "did you mean 'LOOP 5'?"

  Severity severity() const { return RuleOf(rule).severity; }
};

}  // namespace dx::check
