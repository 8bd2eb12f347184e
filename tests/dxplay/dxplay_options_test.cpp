#include "player/dxplay_options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/format_hex.h"

namespace dx {
namespace {

// The parsed options in one line, so that a row states all of them.
std::string Describe(const DxplayOptions& o) {
  static const char* const kCommands[] = {"run", "capture", "windows", "help", "version", "record"};
  static const char* const kTargets[] = {"none", "entry", "name", "pick"};
  std::ostringstream s;
  s << kCommands[static_cast<int>(o.command)];
  if (!o.script_path.empty()) s << ' ' << o.script_path;
  if (o.command == DxplayOptions::Command::Run) {
    s << " target=" << kTargets[static_cast<int>(o.target)];
    if (o.target == DxplayOptions::Target::Entry) s << ':' << FormatHex(o.window_id, 8);
    if (o.window_id_otherwise) s << '/' << FormatHex(*o.window_id_otherwise, 8);
    if (o.target == DxplayOptions::Target::Name) s << ':' << o.window_name;
    s << " stop=" << o.stop_key.modifiers << '+' << FormatHex(o.stop_key.key, 2) << (o.quiet ? " quiet" : "");
  }
  if (o.command == DxplayOptions::Command::Capture) {
    s << (o.slot == DxplayOptions::Slot::Location ? " location " : " key ") << o.slot_number;
  }
  if (o.command == DxplayOptions::Command::Record) {
    s << " stop=" << o.stop_key.modifiers << '+' << FormatHex(o.stop_key.key, 2) << (o.record_slots ? " slots" : "")
      << (o.record_delays ? "" : " no-delays") << (o.append ? " append" : "");
  }
  return s.str();
}

TEST(DxplayOptions, CommandLines) {
  struct Case {
    std::vector<std::string> args;
    const char* want;  // Describe() of the options, or "error: " and the message
  };
  const Case cases[] = {
      {{"run", "a.dxs"}, "run a.dxs target=none stop=7+7B"},
      {{"run", "a.dxs", "--window", "0000ABCD - Editor", "--quiet"}, "run a.dxs target=entry:0000ABCD stop=7+7B quiet"},
      {{"run", "--window=0000ABCD", "a.dxs"}, "run a.dxs target=entry:0000ABCD stop=7+7B"},
      // The forms other X tools print; eight decimal digits are read both ways.
      {{"run", "a.dxs", "--window", "0x600003"}, "run a.dxs target=entry:00600003 stop=7+7B"},
      {{"run", "a.dxs", "--window", "0XfFfFfFfF"}, "run a.dxs target=entry:FFFFFFFF stop=7+7B"},
      {{"run", "a.dxs", "--window", "6291459"}, "run a.dxs target=entry:00600003 stop=7+7B"},
      {{"run", "a.dxs", "--window", "31457287"}, "run a.dxs target=entry:31457287/01E00007 stop=7+7B"},
      {{"run", "a.dxs", "--window-name", "xterm", "--stop-key", "ctrl+alt+F11"}, "run a.dxs target=name:xterm stop=3+7A"},
      {{"run", "a.dxs", "--pick"}, "run a.dxs target=pick stop=7+7B"},
      {{"capture", "a.dxs", "--location", "20"}, "capture a.dxs location 20"},
      {{"capture", "--key", "1", "a.dxs"}, "capture a.dxs key 1"},
      {{"windows"}, "windows"},
      {{"record", "a.dxs"}, "record a.dxs stop=7+7B"},
      {{"record", "--slots", "a.dxs", "--no-delays", "--append", "--stop-key=ctrl+shift+F11"},
       "record a.dxs stop=6+7A slots no-delays append"},
      {{"record"}, "error: missing SCRIPT.dxs"},
      {{"record", "a.dxs", "--slots=1"}, "error: unknown option '--slots'"},
      {{"record", "a.dxs", "--quiet"}, "error: unknown option '--quiet'"},
      {{"run", "a.dxs", "--bogus", "--help"}, "help"},  // help wins over what is wrong
      {{"--version"}, "version"},
      {{}, "error: missing command: run, capture, record or windows"},
      {{"play", "a.dxs"}, "error: unknown command 'play'"},
      {{"--bogus"}, "error: unknown option '--bogus'"},
      {{"run"}, "error: missing SCRIPT.dxs"},
      {{"run", "a.dxs", "b.dxs"}, "error: unexpected argument 'b.dxs'"},
      {{"run", "a.dxs", "--window"}, "error: missing value for --window"},
      {{"run", "a.dxs", "--window", "0000abcd"}, "error: bad value for --window: '0000abcd'"},  // upper case only
      {{"run", "a.dxs", "--window", "ABCD"}, "error: bad value for --window: 'ABCD'"},
      {{"run", "a.dxs", "--window", "0x"}, "error: bad value for --window: '0x'"},
      {{"run", "a.dxs", "--window", "0x100000000"}, "error: bad value for --window: '0x100000000'"},
      {{"run", "a.dxs", "--window", "4294967296"}, "error: bad value for --window: '4294967296'"},
      {{"run", "a.dxs", "--window", "-5"}, "error: bad value for --window: '-5'"},
      {{"run", "a.dxs", "--window", "0000ABCD-x"}, "error: bad value for --window: '0000ABCD-x'"},
      {{"run", "a.dxs", "--window-name", ""}, "error: bad value for --window-name: ''"},
      {{"run", "a.dxs", "--pick", "--window", "0000ABCD"},
       "error: only one of --window, --window-name and --pick may be given (--window)"},
      {{"run", "a.dxs", "--stop-key", "ctrl+alt+Del"}, "error: bad value for --stop-key: 'ctrl+alt+Del'"},
      {{"run", "a.dxs", "--location", "1"}, "error: unknown option '--location'"},
      {{"capture", "a.dxs"}, "error: capture needs --location N or --key N"},
      {{"capture", "a.dxs", "--location", "21"}, "error: bad value for --location: '21'"},
      {{"capture", "a.dxs", "--key", "0"}, "error: bad value for --key: '0'"},
      {{"capture", "a.dxs", "--key", "40", "--location", "1"}, "error: unknown option '--location'"},
      {{"capture", "a.dxs", "--quiet", "--key", "1"}, "error: unknown option '--quiet'"},
      {{"windows", "a.dxs"}, "error: unexpected argument 'a.dxs'"},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto options = ParseDxplayOptions(c.args, error);
    EXPECT_EQ(options ? Describe(*options) : "error: " + error, c.want);
  }
}

}  // namespace
}  // namespace dx
