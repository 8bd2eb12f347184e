// Lines per second through the engine and the in-memory host, for scripts
// without DELAY of 10, 1,000 and 100,000 lines. Each script is run for the
// same number of lines (it starts over after its last line), so equal
// figures mean that a line's cost does not grow with the script's length.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/run_script.h"
#include "sim/sim_main_window.h"
#include "sim/sim_platform.h"

namespace {

// A realistic mix: moves, clicks, keys, variables and a counted block.
std::vector<std::string> MakeScript(int length) {
  const char* body[] = {"MOUSE GO 1", "MOUSE LC", "KEY $41 PRESS", "LONG a", "GETCOLOR a 1",
                        "LOOP 2", "  beep-free comment line", "ENDLOOP", "KEY #01 UP", "MOUSE GO .640.480"};
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) lines.push_back(body[i % 10]);
  return lines;
}

double LinesPerSecond(int length, int64_t lines_to_run) {
  dx::SimLog log;
  log.SetKeeping(false);
  dx::SimMainWindow window(log);
  dx::SimPlatform platform(log);
  window.SetCodeLines(MakeScript(length));
  window.SetLocation(1, "100", "200");
  window.SetKeySlot(1, "10");
  const auto start = std::chrono::steady_clock::now();
  window.ClickGo(platform, dx::RunOptions{lines_to_run});
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return static_cast<double>(lines_to_run) / elapsed.count();
}

}  // namespace

int main() {
  const int64_t lines_to_run = 2000000;
  std::printf("engine + in-memory host, %lld lines run per script\n", static_cast<long long>(lines_to_run));
  for (int length : {10, 1000, 100000}) {
    std::printf("%7d-line script: %12.0f lines/s\n", length, LinesPerSecond(length, lines_to_run));
  }
  return 0;
}
