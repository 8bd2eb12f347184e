// Prints the time to save and to load a script of 100,000 code lines through
// the POSIX file layer, the median of several runs.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "scriptfile/script_file.h"

namespace {

constexpr int kCodeLines = 100000;
constexpr int kRuns = 9;

dx::ScriptDocument LargeScript() {
  dx::ScriptDocument document;
  document.notes = {"benchmark script"};
  for (int slot = 0; slot < dx::kLocationSlotCount; ++slot) {
    document.locations[slot] = {std::to_string(slot * 200), std::to_string(slot * 37)};
  }
  for (int slot = 0; slot < dx::kKeySlotCount; ++slot) document.keys[slot] = "41";
  const char* lines[] = {"MOUSE GO 1", "MOUSE LC", "DELAY 500", "KEY 01 PRESS", "LOOP 3", "ENDLOOP"};
  document.code.reserve(kCodeLines);
  for (int i = 0; i < kCodeLines; ++i) document.code.push_back(lines[i % 6]);
  return document;
}

template <typename Action>
double MedianMilliseconds(Action action) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    action();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const std::string path = "/tmp/dx-scriptfile-bench-" + std::to_string(getpid()) + ".dxs";
  const dx::ScriptDocument document = LargeScript();
  dx::PosixFileSystem files;
  double save_ms = MedianMilliseconds([&] { dx::WriteScriptFile(document, path, files); });
  double load_ms = MedianMilliseconds([&] {
    dx::ScriptDocument loaded;
    dx::ReadScriptFile(path, loaded, files);
  });
  std::printf("script of %d code lines, median of %d runs\n", kCodeLines, kRuns);
  std::printf("save: %.2f ms\nload: %.2f ms\n", save_ms, load_ms);
  unlink(path.c_str());
  return 0;
}
