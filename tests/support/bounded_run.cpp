#include "tests/support/bounded_run.h"

#include <string>
#include <vector>

#include "tests/support/sim_run.h"

namespace dx {
namespace {

// Eight lines hold every block form (a LOOP or REPEAT around a few
// commands, nested once) and keep one input quick to run.
constexpr std::size_t kMostLines = 8;
// Eight times as many lines as the script holds: enough for blocks to
// repeat and for the pass to start over.
constexpr int64_t kLinesToRun = 64;
// Every line delivers once and a DELAY on every read of the clock, so 64
// lines of long DELAYs would deliver some 8000 times; this ends them sooner.
constexpr int64_t kMostDeliveries = 2000;
// A clock read moves 2^24 ms, so the longest DELAY (2^31 ms) ends after
// 128 reads.
constexpr uint64_t kTickStep = 1u << 24;

std::vector<std::string> SplitLines(std::string_view input) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (lines.size() < kMostLines) {
    const std::size_t end = input.find('\n', start);
    lines.emplace_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string BoundedRunOfText(std::string_view input) {
  test::SimRun run(SplitLines(input));
  run.log.SetKeeping(false);
  // A mix of usable and broken slots.
  run.window.SetLocation(1, "100", "200");
  run.window.SetLocation(2, "-5", "$FFF");
  run.window.SetLocation(3, "x", "");
  run.window.SetKeySlot(1, "10");
  run.window.SetKeySlot(2, "1FFFF");
  run.window.SetKeySlot(3, "zz");
  run.platform.SetPixel(100, 200, 0x00FF00);
  run.platform.SetClock(0, kTickStep);
  run.window.OnEveryDelivery([&](int64_t n) {
    if (n > kMostDeliveries) run.window.Terminate();
  });
  return run.Go(kLinesToRun).failure.value_or("");
}

}  // namespace dx
