#include "tools/dxsim/dxsim_options.h"

#include <algorithm>
#include <utility>

#include "base/integer_rule.h"

namespace dx {

const char kDxsimUsage[] =
    "usage: dxsim run FILE [--screen WxH] [--pixel X,Y=COLOUR]... [--pixel-at MS:X,Y=COLOUR]...\n"
    "                      [--screen-image FILE.ppm]\n"
    "                      [--default-colour COLOUR] [--window TEXT] [--max-lines N]\n"
    "                      [--tick-start MS] [--tick-step MS] [--refuse-input-at N] [--words]\n"
    "       dxsim resave IN OUT\n"
    "       dxsim check FILE [--screen WxH] [--format text|json] [--werror]\n"
    "       dxsim --help | --version\n";

namespace {

constexpr std::string_view kCommonHelp =
    "\n"
    "  FILE is a .dxs file or a plain script; '-' reads it from standard input.\n"
    "  An option's value may follow an '=': --screen=1920x1080. '--' ends the options.\n";

constexpr std::string_view kRunHelp =
    "usage: dxsim run FILE [--screen WxH] [--pixel X,Y=COLOUR]... [--pixel-at MS:X,Y=COLOUR]...\n"
    "                      [--screen-image FILE.ppm]\n"
    "                      [--default-colour COLOUR] [--window TEXT] [--max-lines N]\n"
    "                      [--tick-start MS] [--tick-step MS] [--refuse-input-at N] [--words]\n"
    "  plays the script on a simulated desktop and prints every operation.\n"
    "  Exit status: 0 the run ended, 1 a line failed, 2 the file does not load,\n"
    "  3 the line bound (--max-lines, 0: none) ended a script that would go on.\n"
    "  --words prints the run as one line in the manual's words instead:\n"
    "  => move 100,200; left down; left up; wait 500; end\n"
    "  --pixel-at MS:X,Y=COLOUR changes a pixel MS milliseconds into the run.\n"
    "  Quote a COLOUR with '$' in a shell: --pixel '100,200=$FF'.\n";

constexpr std::string_view kResaveHelp =
    "usage: dxsim resave IN OUT\n"
    "  reads a script and writes it as the program saves it; OUT ending in .dxs gets\n"
    "  the .dxs form, any other name a plain script. A file that does not load, or\n"
    "  would lose lines, is not written (exit status 2).\n";

constexpr std::string_view kCheckHelp =
    "usage: dxsim check FILE [--screen WxH] [--format text|json] [--werror]\n"
    "  reports every line that would fail, do nothing or run away, as FILE:LINE:COLUMN.\n"
    "  Exit status: 0 no error, 1 an error (--werror: also a warning), 2 the file does\n"
    "  not load.\n";

}  // namespace

std::string DxsimHelp(DxsimOptions::Command command) {
  switch (command) {
    case DxsimOptions::Command::Run: return std::string(kRunHelp) + std::string(kCommonHelp);
    case DxsimOptions::Command::Resave: return std::string(kResaveHelp) + std::string(kCommonHelp);
    case DxsimOptions::Command::Check: return std::string(kCheckHelp) + std::string(kCommonHelp);
    default: break;
  }
  return std::string(kDxsimUsage) +
         "\n"
         "  run     plays the script on a simulated desktop and prints every operation;\n"
         "          a run ends after " +
         std::to_string(kDefaultMaxLines) +
         " lines unless --max-lines N says otherwise\n"
         "          (0: no bound)\n"
         "  resave  reads a script file and writes it again as the program saves it\n"
         "  check   reports every line that would fail, do nothing or run away\n"
         "\n"
         "dxsim COMMAND --help tells more of one command.\n";
}

const char kDxsimUsageHint[] =
    "usage: dxsim run|check FILE [options], dxsim resave IN OUT; dxsim --help tells more\n";

namespace {

// Numbers on the command line follow the same integer rule as scripts.
bool ReadNumber(std::string_view text, int64_t min, int64_t& value) {
  const auto parsed = TryStrToInt(text);
  if (!parsed || *parsed < min) return false;
  value = *parsed;
  return true;
}

bool ReadScreen(const std::string& text, DxsimOptions& o) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos || x == 0) return false;
  int64_t w = 0;
  int64_t h = 0;
  if (!ReadNumber(std::string_view(text).substr(0, x), 1, w)) return false;
  if (!ReadNumber(std::string_view(text).substr(x + 1), 1, h)) return false;
  o.screen_width = static_cast<int>(w);
  o.screen_height = static_cast<int>(h);
  return true;
}

std::optional<PixelOverride> ParsePixel(std::string_view text) {
  const std::size_t comma = text.find(',');
  const std::size_t equals = text.find('=');
  if (comma == std::string::npos || equals == std::string::npos || equals < comma) return std::nullopt;
  const auto x = TryStrToInt(text.substr(0, comma));
  const auto y = TryStrToInt(text.substr(comma + 1, equals - comma - 1));
  const auto colour = TryStrToInt(text.substr(equals + 1));
  if (!x || !y || !colour) return std::nullopt;
  return PixelOverride{*x, *y, static_cast<uint32_t>(*colour)};
}

bool ReadPixel(const std::string& text, DxsimOptions& o) {
  const std::optional<PixelOverride> pixel = ParsePixel(text);
  if (pixel) o.pixels.push_back(*pixel);
  return pixel.has_value();
}

// "MS:X,Y=COLOUR".
bool ReadTimedPixel(const std::string& text, DxsimOptions& o) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  int64_t after = 0;
  if (!ReadNumber(std::string_view(text).substr(0, colon), 0, after)) return false;
  const std::optional<PixelOverride> pixel = ParsePixel(std::string_view(text).substr(colon + 1));
  if (pixel) o.timed_pixels.push_back({static_cast<uint64_t>(after), *pixel});
  return pixel.has_value();
}

bool ReadRunOption(const std::string& name, const std::string& value, DxsimOptions& o) {
  int64_t n = 0;
  if (name == "--screen") return ReadScreen(value, o);
  if (name == "--pixel") return ReadPixel(value, o);
  if (name == "--pixel-at") return ReadTimedPixel(value, o);
  if (name == "--screen-image") {
    o.screen_image = value;
    return true;
  }
  if (name == "--window") {
    o.window_text = value;
    return true;
  }
  if (name == "--default-colour") {
    const auto colour = TryStrToInt(value);
    if (!colour) return false;
    o.default_colour = static_cast<uint32_t>(*colour);
    return true;
  }
  if (!ReadNumber(value, 0, n)) return false;
  if (name == "--max-lines") o.max_lines = n;
  else if (name == "--tick-start") o.tick_start = static_cast<uint64_t>(n);
  else if (name == "--tick-step" && n > 0) o.tick_step = static_cast<uint64_t>(n);
  else if (name == "--refuse-input-at" && n > 0) o.refuse_input_at = static_cast<uint64_t>(n);
  else return false;
  return true;
}

bool ReadCheckOption(const std::string& name, const std::string& value, DxsimOptions& o) {
  if (name == "--screen") return ReadScreen(value, o);
  if (value != "text" && value != "json") return false;
  o.json = value == "json";
  return true;
}

// The options of each command, all of them with a value.
constexpr std::string_view kRunOptions[] = {"--screen",     "--pixel",      "--pixel-at",     "--screen-image", "--default-colour",
                                            "--window",     "--max-lines",  "--tick-start",   "--tick-step",
                                            "--refuse-input-at"};
constexpr std::string_view kCheckOptions[] = {"--screen", "--format"};

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

template <std::size_t N>
bool Lists(const std::string_view (&names)[N], const std::string& name) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// The words behind the command: options and their values, and the files
// the command names in `paths` (`wanted` of them, by the names in `what`).
bool ReadArguments(const std::vector<std::string>& args, DxsimOptions& o, std::vector<std::string>& paths,
                   const std::vector<std::string_view>& what, std::string& error) {
  const bool run = o.command == DxsimOptions::Command::Run;
  const bool check = o.command == DxsimOptions::Command::Check;
  bool options_ended = false;
  bool tick_step_given = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    std::string arg = args[i];
    if (!options_ended && arg == "--") {
      options_ended = true;
      continue;
    }
    if (options_ended || !IsOption(arg)) {
      if (paths.size() == what.size()) {
        error = "unexpected argument '" + arg + "'";
        return false;
      }
      paths.push_back(arg);
      continue;
    }
    // "--screen=1920x1080": the value behind the "=".
    std::optional<std::string> attached;
    if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
      attached = arg.substr(equals + 1);
      arg.resize(equals);
    }
    if (run && arg == "--words" && !attached) {
      o.words = true;
      // The manual's waits are told from a clock that moves 1 ms a read.
      if (!tick_step_given) o.tick_step = 1;
      continue;
    }
    if (run && arg == "--tick-step") tick_step_given = true;
    if (check && arg == "--werror" && !attached) {
      o.werror = true;
      continue;
    }
    if (!(run && Lists(kRunOptions, arg)) && !(check && Lists(kCheckOptions, arg))) {
      error = "unknown option '" + arg + "' for " + args[0];
      return false;
    }
    std::string value;
    if (attached) {
      value = *attached;
    } else if (i + 1 >= args.size()) {
      error = "missing value for " + arg;
      return false;
    } else {
      value = args[++i];
    }
    if (!(run ? ReadRunOption(arg, value, o) : ReadCheckOption(arg, value, o))) {
      error = "invalid value for " + arg + ": '" + value + "'";
      // A shell puts nothing in place of an unquoted "$FF".
      if ((arg == "--pixel" || arg == "--pixel-at") && (value.empty() || value.back() == '=')) {
        error += ": quote a colour with '$' in a shell, as in --pixel '100,200=$FF'";
      } else if (arg == "--default-colour" && value.empty()) {
        error += ": quote a colour with '$' in a shell, as in --default-colour '$FF'";
      }
      return false;
    }
  }
  if (paths.size() < what.size()) {
    error = "missing " + std::string(what[paths.size()]);
    return false;
  }
  return true;
}

struct CommandRow {
  std::string_view word;
  DxsimOptions::Command command;
  std::vector<std::string_view> paths;
};

}  // namespace

std::optional<DxsimOptions> ParseDxsimOptions(const std::vector<std::string>& args, std::string& error) {
  DxsimOptions o;
  if (args.empty()) {
    error = "missing command";
    return std::nullopt;
  }
  const auto options_end = std::find(args.begin(), args.end(), "--");
  if (std::find(args.begin(), options_end, "--help") != options_end ||
      std::find(args.begin(), options_end, "-h") != options_end) {
    o.command = DxsimOptions::Command::Help;
    for (const auto& [word, command] : {std::pair{"run", DxsimOptions::Command::Run},
                                        std::pair{"resave", DxsimOptions::Command::Resave},
                                        std::pair{"check", DxsimOptions::Command::Check}}) {
      if (args[0] == word) o.help_for = command;
    }
    return o;
  }
  if (args[0] == "--version") {
    o.command = DxsimOptions::Command::Version;
    return o;
  }
  const CommandRow commands[] = {
      {"run", DxsimOptions::Command::Run, {"FILE"}},
      {"resave", DxsimOptions::Command::Resave, {"IN", "OUT"}},
      {"check", DxsimOptions::Command::Check, {"FILE"}},
  };
  for (const CommandRow& row : commands) {
    if (args[0] != row.word) continue;
    o.command = row.command;
    std::vector<std::string> paths;
    if (!ReadArguments(args, o, paths, row.paths, error)) return std::nullopt;
    o.input_path = paths[0];
    if (paths.size() > 1) o.output_path = paths[1];
    return o;
  }
  error = IsOption(args[0]) ? "unknown option '" + args[0] + "'" : "unknown command '" + args[0] + "'";
  return std::nullopt;
}

}  // namespace dx
