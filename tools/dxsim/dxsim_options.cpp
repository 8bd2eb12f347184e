#include "tools/dxsim/dxsim_options.h"

#include "base/integer_rule.h"

namespace dx {

const char kDxsimUsage[] =
    "usage: dxsim run FILE.dxs [--screen WxH] [--pixel X,Y=COLOUR]... [--screen-image FILE.ppm]\n"
    "                          [--default-colour COLOUR] [--window TEXT] [--max-lines N]\n"
    "                          [--tick-start MS] [--tick-step MS] [--refuse-input-at N]\n"
    "       dxsim resave IN.dxs OUT.dxs\n"
    "       dxsim check FILE.dxs [--screen WxH] [--format text|json] [--werror]\n";

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

bool ReadCheckOptions(const std::vector<std::string>& args, DxsimOptions& o, std::string& error) {
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--werror") {
      o.werror = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "option " + name + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    const bool known = (name == "--screen" && ReadScreen(value, o)) ||
                       (name == "--format" && (value == "text" || value == "json"));
    if (!known) {
      error = "bad option: " + name + " " + value;
      return false;
    }
    if (name == "--format") o.json = value == "json";
  }
  return true;
}

}  // namespace

std::optional<DxsimOptions> ParseDxsimOptions(const std::vector<std::string>& args, std::string& error) {
  DxsimOptions o;
  if (args.size() == 3 && args[0] == "resave") {
    o.command = DxsimOptions::Command::Resave;
    o.input_path = args[1];
    o.output_path = args[2];
    return o;
  }
  if (args.size() >= 2 && args[0] == "check") {
    o.command = DxsimOptions::Command::Check;
    o.input_path = args[1];
    if (!ReadCheckOptions(args, o, error)) return std::nullopt;
    return o;
  }
  if (args.size() < 2 || args[0] != "run") {
    error = "expected 'run FILE.dxs', 'resave IN.dxs OUT.dxs' or 'check FILE.dxs'";
    return std::nullopt;
  }
  o.input_path = args[1];
  for (std::size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) {
      error = "option " + args[i] + " needs a value";
      return std::nullopt;
    }
    if (!ReadRunOption(args[i], args[i + 1], o)) {
      error = "bad option: " + args[i] + " " + args[i + 1];
      return std::nullopt;
    }
  }
  return o;
}

}  // namespace dx
