#include "e2e/report.h"

#include <cstdio>

#include "e2e/text.h"

namespace dxe {

bool Report::Expect(bool ok, std::string_view what, std::string_view seen) {
  ++checks_;
  if (!ok) {
    ++failures_;
    std::printf("FAIL: %.*s", int(what.size()), what.data());
    if (!seen.empty()) std::printf(" (seen: %.*s)", int(seen.size()), seen.data());
    std::printf("\n");
    std::fflush(stdout);
  }
  return ok;
}

bool Report::ExpectText(std::wstring_view seen, std::wstring_view want, std::string_view what) {
  if (seen == want) return Expect(true, what);
  return Expect(false, std::string(what) + " is " + Shown(want), Shown(seen));
}

bool Report::ExpectInt(long long seen, long long want, std::string_view what) {
  return Expect(seen == want, std::string(what) + " is " + std::to_string(want), std::to_string(seen));
}

void Report::Note(std::string_view text) {
  std::printf("  %.*s\n", int(text.size()), text.data());
  std::fflush(stdout);
}

}  // namespace dxe
