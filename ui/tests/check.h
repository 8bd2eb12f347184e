// A small table-driven check runner for the Windows-side tests, which run
// under Wine where no test framework is installed.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace dx::test {

struct Failure {
  std::string where;
  std::string what;
};

class Checks {
 public:
  // Records a failed expectation; `where` names the table row.
  bool Expect(bool ok, const std::string& where, const std::string& what) {
    ++count_;
    if (!ok) failures_.push_back({where, what});
    return ok;
  }
  template <class A, class B>
  bool Equal(const A& actual, const B& expected, const std::string& where, const std::string& what) {
    return Expect(actual == expected, where, what);
  }
  int Report() const {
    for (const Failure& f : failures_) std::printf("FAIL [%s] %s\n", f.where.c_str(), f.what.c_str());
    std::printf("%s: %d checks, %zu failed\n", failures_.empty() ? "PASSED" : "FAILED", count_, failures_.size());
    return failures_.empty() ? 0 : 1;
  }

 private:
  int count_ = 0;
  std::vector<Failure> failures_;
};

using TestFunction = std::function<void(Checks&)>;
struct TestCase {
  const char* name;
  TestFunction run;
};

// Printable form of bytes, CR and LF shown as \r and \n.
inline std::string Show(const std::string& bytes) {
  std::string shown = "\"";
  for (char c : bytes) {
    if (c == '\r') shown += "\\r";
    else if (c == '\n') shown += "\\n";
    else shown += c;
  }
  return shown + "\"";
}

}  // namespace dx::test
