// Lines checked per second by the script checker, for scripts of 1,000,
// 10,000, 100,000 and 1,000,000 lines (the median of five checks each).
// Equal figures mean that a line's cost does not grow with the script's
// length.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "checker/check_script.h"

namespace {

// A realistic mix with blocks, variables, keys held and released, and a few
// defects, so that every kind of finding is made along the way.
dx::ScriptDocument MakeScript(int length) {
  const char* body[] = {
      "LONG a",      "MOUSE GO 1", "MOUSE LC",     "KEY #01",           "KEY $41 PRESS", "KEY #01 UP", "LOOP 3",
      "  DELAY 50",  "ENDLOOP",    "REPEAT",       "  GETCOLOR a 2",    "UNTILNE a b",   "LOOP5",      "MOUS GO 1",
      "  free text", "DELAY 500 ", "GETCOLOR A 1", "MOUSE GO .640.480", "KEY #5 PRESS",  "BEEP"};
  dx::ScriptDocument doc;
  doc.locations[0] = {"100", "200"};
  doc.locations[1] = {"300", "400"};
  doc.keys[0] = "10";
  doc.code.reserve(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) doc.code.push_back(body[i % std::size(body)]);
  doc.code.push_back("ENDSCRIPT");
  return doc;
}

double LinesPerSecond(int length) {
  const dx::ScriptDocument doc = MakeScript(length);
  std::vector<double> seconds;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const auto found = dx::check::CheckScript(doc);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (found.empty()) std::printf("no findings?\n");
    seconds.push_back(elapsed.count());
  }
  std::sort(seconds.begin(), seconds.end());
  return static_cast<double>(doc.code.size()) / seconds[seconds.size() / 2];
}

}  // namespace

int main() {
  std::printf("script checker, median of 5 checks\n");
  for (int length : {1000, 10000, 100000, 1000000}) {
    std::printf("%7d-line script: %12.0f lines/s\n", length, LinesPerSecond(length));
  }
  return 0;
}
