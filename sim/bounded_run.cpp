#include "sim/bounded_run.h"

#include <string>
#include <vector>

#include "engine/run_script.h"
#include "base/script_error.h"
#include "sim/sim_main_window.h"
#include "sim/sim_platform.h"

namespace dx {
namespace {

std::vector<std::string> SplitLines(std::string_view input) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (lines.size() < 8) {
    const std::size_t end = input.find('\n', start);
    lines.emplace_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string BoundedRunOfText(std::string_view input) {
  SimLog log;
  log.SetKeeping(false);
  SimMainWindow window(log);
  SimPlatform platform(log);
  window.SetCodeLines(SplitLines(input));
  // A mix of usable and broken slots.
  window.SetLocation(1, "100", "200");
  window.SetLocation(2, "-5", "$FFF");
  window.SetLocation(3, "x", "");
  window.SetKeySlot(1, "10");
  window.SetKeySlot(2, "1FFFF");
  window.SetKeySlot(3, "zz");
  platform.SetPixel(100, 200, 0x00FF00);
  // Even the longest DELAY ends after a few hundred iterations.
  platform.SetClock(0, 1u << 24);
  window.OnEveryDelivery([&](int64_t n) {
    if (n > 2000) window.Terminate();
  });
  try {
    BGOClick(window, platform, RunOptions{64});
  } catch (const ScriptError& e) {
    return e.what();
  }
  return {};
}

}  // namespace dx
