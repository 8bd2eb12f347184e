// The command line of dxsim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_defaults.h"

namespace dx {

struct PixelOverride {
  int32_t x = 0;
  int32_t y = 0;
  uint32_t colour = 0;
};

// --pixel-at MS:X,Y=COLOUR: the pixel changes MS milliseconds into the run.
struct TimedPixel {
  uint64_t after_ms = 0;
  PixelOverride pixel;
};

// A script without ENDSCRIPT runs until it is stopped: a run ends here
// unless asked otherwise, so that a terminal is not flooded forever.
inline constexpr int64_t kDefaultMaxLines = 1000000;

struct DxsimOptions {
  enum class Command { Run, Resave, Check, Help, Version };
  Command command = Command::Run;
  std::string input_path;
  std::string output_path;  // resave only
  int screen_width = sim_defaults::kScreenWidth;
  int screen_height = sim_defaults::kScreenHeight;
  std::vector<PixelOverride> pixels;
  std::vector<TimedPixel> timed_pixels;
  std::string screen_image;
  uint32_t default_colour = 0;
  std::string window_text{sim_defaults::kTargetWindow};
  int64_t max_lines = kDefaultMaxLines;  // 0: no bound
  uint64_t tick_start = sim_defaults::kTickStart;
  uint64_t tick_step = sim_defaults::kTickStep;
  uint64_t refuse_input_at = 0;  // the N-th SendInput is refused; 0: none
  bool words = false;   // run: --words, the run as the manual's "=>" line
  bool json = false;    // check: --format json
  bool werror = false;  // check: warnings fail too
  Command help_for = Command::Help;  // help: the command asked about ("dxsim check --help"), else Help
};

// "-" as the script: read from standard input.
inline constexpr std::string_view kStandardInput = "-";

// Returns the options, or sets `error` to what is wrong.
std::optional<DxsimOptions> ParseDxsimOptions(const std::vector<std::string>& args, std::string& error);

extern const char kDxsimUsage[];
std::string DxsimHelp(DxsimOptions::Command command = DxsimOptions::Command::Help);  // the usage and what the commands do
extern const char kDxsimUsageHint[];  // one line, after a usage error

}  // namespace dx
