// Outcome of a scenario: every failed expectation is printed at once with
// what was seen; the scenario goes on where that still makes sense.
#pragma once

#include <string>
#include <string_view>

namespace dxe {

class Report {
 public:
  // Records one expectation; returns `ok` so callers can stop early.
  bool Expect(bool ok, std::string_view what, std::string_view seen = {});
  // Equality of texts as the windows hold them.
  bool ExpectText(std::wstring_view seen, std::wstring_view want, std::string_view what);
  bool ExpectInt(long long seen, long long want, std::string_view what);
  void Note(std::string_view text);
  int Failures() const { return failures_; }
  int Checks() const { return checks_; }

 private:
  int failures_ = 0;
  int checks_ = 0;
};

}  // namespace dxe
