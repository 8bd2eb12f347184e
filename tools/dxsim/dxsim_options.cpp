#include "tools/dxsim/dxsim_options.h"

#include <algorithm>

#include "base/integer_rule.h"

namespace dx {

const char kDxsimUsage[] =
    "usage: dxsim run FILE.dxs [--screen WxH] [--pixel X,Y=COLOUR]... [--screen-image FILE.ppm]\n"
    "                          [--default-colour COLOUR] [--window TEXT] [--max-lines N]\n"
    "                          [--tick-start MS] [--tick-step MS] [--refuse-input-at N]\n"
    "       dxsim resave IN.dxs OUT.dxs\n"
    "       dxsim check FILE.dxs [--screen WxH] [--format text|json] [--werror]\n"
    "       dxsim --help | --version\n";

std::string DxsimHelp() {
  return std::string(kDxsimUsage) +
         "\n"
         "  run     plays the script on a simulated desktop and prints every operation;\n"
         "          a run ends after " +
         std::to_string(kDefaultMaxLines) +
         " lines unless --max-lines N says otherwise\n"
         "          (0: no bound)\n"
         "  resave  reads a script file and writes it again as the program saves it\n"
         "  check   reports every line that would fail, do nothing or run away\n";
}

const char kDxsimUsageHint[] =
    "usage: dxsim run|check FILE.dxs [options], dxsim resave IN.dxs OUT.dxs; dxsim --help tells more\n";

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

bool ReadPixel(const std::string& text, DxsimOptions& o) {
  const std::size_t comma = text.find(',');
  const std::size_t equals = text.find('=');
  if (comma == std::string::npos || equals == std::string::npos || equals < comma) return false;
  const auto x = TryStrToInt(std::string_view(text).substr(0, comma));
  const auto y = TryStrToInt(std::string_view(text).substr(comma + 1, equals - comma - 1));
  const auto colour = TryStrToInt(std::string_view(text).substr(equals + 1));
  if (!x || !y || !colour) return false;
  o.pixels.push_back({*x, *y, static_cast<uint32_t>(*colour)});
  return true;
}

bool ReadRunOption(const std::string& name, const std::string& value, DxsimOptions& o) {
  int64_t n = 0;
  if (name == "--screen") return ReadScreen(value, o);
  if (name == "--pixel") return ReadPixel(value, o);
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
constexpr std::string_view kRunOptions[] = {"--screen",     "--pixel",      "--screen-image", "--default-colour",
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
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!IsOption(arg)) {
      if (paths.size() == what.size()) {
        error = "unexpected argument '" + arg + "'";
        return false;
      }
      paths.push_back(arg);
      continue;
    }
    if (check && arg == "--werror") {
      o.werror = true;
      continue;
    }
    if (!(run && Lists(kRunOptions, arg)) && !(check && Lists(kCheckOptions, arg))) {
      error = "unknown option '" + arg + "' for " + args[0];
      return false;
    }
    if (i + 1 >= args.size()) {
      error = "missing value for " + arg;
      return false;
    }
    const std::string& value = args[++i];
    if (!(run ? ReadRunOption(arg, value, o) : ReadCheckOption(arg, value, o))) {
      error = "invalid value for " + arg + ": '" + value + "'";
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
  if (std::find(args.begin(), args.end(), "--help") != args.end() ||
      std::find(args.begin(), args.end(), "-h") != args.end()) {
    o.command = DxsimOptions::Command::Help;
    return o;
  }
  if (args[0] == "--version") {
    o.command = DxsimOptions::Command::Version;
    return o;
  }
  const CommandRow commands[] = {
      {"run", DxsimOptions::Command::Run, {"FILE.dxs"}},
      {"resave", DxsimOptions::Command::Resave, {"IN.dxs", "OUT.dxs"}},
      {"check", DxsimOptions::Command::Check, {"FILE.dxs"}},
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
