// Runs arbitrary script lines (the input split at line feeds, at most a
// few lines) through the engine against the in-memory host, with a bound
// on lines and deliveries. Any crash, sanitizer report or exception other
// than ScriptError is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/run_script.h"
#include "engine/script_error.h"
#include "sim/sim_main_window.h"
#include "sim/sim_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (lines.size() < 8) {
    const std::size_t end = input.find('\n', start);
    lines.push_back(input.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }

  dx::SimLog log;
  log.SetKeeping(false);
  dx::SimMainWindow window(log);
  dx::SimPlatform platform(log);
  window.SetCodeLines(lines);
  // A mix of usable and broken slots.
  window.SetLocation(1, "100", "200");
  window.SetLocation(2, "-5", "$FFF");
  window.SetLocation(3, "x", "");
  window.SetKeySlot(1, "10");
  window.SetKeySlot(2, "1FFFF");
  window.SetKeySlot(3, "zz");
  platform.SetPixel(100, 200, 0x00FF00);
  // Long DELAYs finish in a few iterations.
  platform.SetClock(0, 1u << 24);
  window.OnEveryDelivery([&](int64_t n) {
    if (n > 2000) window.Terminate();
  });
  try {
    dx::BGOClick(window, platform, dx::RunOptions{64});
  } catch (const dx::ScriptError&) {
  }
  return 0;
}
