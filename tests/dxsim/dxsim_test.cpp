// dxsim's command line and the words it prints after each input record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/input_record.h"
#include "tools/dxsim/dxsim_options.h"
#include "tools/dxsim/event_printer.h"

namespace dx {
namespace {

// "COMMAND input output max_lines json werror", or "error: TEXT".
std::string Parsed(const std::vector<std::string>& args) {
  std::string error;
  const std::optional<DxsimOptions> o = ParseDxsimOptions(args, error);
  if (!o) return "error: " + error;
  static const char* const kCommands[] = {"run", "resave", "check", "help", "version"};
  return std::string(kCommands[static_cast<int>(o->command)]) + " " + o->input_path + " " + o->output_path + " " +
         std::to_string(o->max_lines) + " " + (o->json ? "json" : "text") + (o->werror ? " werror" : "");
}

TEST(DxsimOptions, EachCommandLineIsReadOrNamedForWhatIsWrong) {
  struct Row {
    std::vector<std::string> args;
    std::string parsed;
  } rows[] = {
      {{"run", "a.dxs"}, "run a.dxs  1000000 text"},
      {{"run", "a.dxs", "--max-lines", "0"}, "run a.dxs  0 text"},
      {{"run", "--max-lines", "5", "a.dxs"}, "run a.dxs  5 text"},
      {{"run", "a.dxs", "--refuse-input-at", "3"}, "run a.dxs  1000000 text"},
      {{"resave", "a.dxs", "b.dxs"}, "resave a.dxs b.dxs 1000000 text"},
      {{"check", "a.dxs", "--werror", "--format", "json"}, "check a.dxs  1000000 json werror"},
      {{"--help"}, "help   1000000 text"},
      {{"check", "a.dxs", "-h"}, "help   1000000 text"},
      {{"--version"}, "version   1000000 text"},
      {{}, "error: missing command"},
      {{"play", "a.dxs"}, "error: unknown command 'play'"},
      {{"--bogus"}, "error: unknown option '--bogus'"},
      {{"run", "a.dxs", "--bogus", "1"}, "error: unknown option '--bogus' for run"},
      {{"check", "a.dxs", "--max-lines", "1"}, "error: unknown option '--max-lines' for check"},
      {{"resave", "a.dxs", "--screen", "1x1"}, "error: unknown option '--screen' for resave"},
      {{"run", "a.dxs", "extra.dxs"}, "error: unexpected argument 'extra.dxs'"},
      {{"resave", "a.dxs", "b.dxs", "c.dxs"}, "error: unexpected argument 'c.dxs'"},
      {{"run", "a.dxs", "--screen"}, "error: missing value for --screen"},
      {{"run"}, "error: missing FILE"},
      {{"resave", "a.dxs"}, "error: missing OUT"},
      {{"run", "a.dxs", "--max-lines=5"}, "run a.dxs  5 text"},
      {{"check", "--format=json", "a.txt"}, "check a.txt  1000000 json"},
      {{"run", "--", "--odd.dxs"}, "run --odd.dxs  1000000 text"},
      {{"run", "-"}, "run -  1000000 text"},
      {{"run", "a.dxs", "--", "--help"}, "error: unexpected argument '--help'"},
      {{"run", "a.dxs", "--pixel", "100,200="},
       "error: invalid value for --pixel: '100,200=': quote a colour with '$' in a shell, as in --pixel '100,200=$FF'"},
      {{"run", "a.dxs", "--pixel-at", "500:1,2=$FF"}, "run a.dxs  1000000 text"},
      {{"run", "a.dxs", "--pixel-at", "1,2=$FF"}, "error: invalid value for --pixel-at: '1,2=$FF'"},
      {{"check", "a.dxs", "--words"}, "error: unknown option '--words' for check"},
      {{"run", "a.dxs", "--werror=1"}, "error: unknown option '--werror' for run"},
      {{"run", "a.dxs", "--screen", "wide"}, "error: invalid value for --screen: 'wide'"},
      {{"check", "a.dxs", "--format", "xml"}, "error: invalid value for --format: 'xml'"},
  };
  for (const Row& row : rows) EXPECT_EQ(Parsed(row.args), row.parsed) << row.parsed;
  std::string error;
  EXPECT_EQ(ParseDxsimOptions({"check", "--help"}, error)->help_for, DxsimOptions::Command::Check);
  EXPECT_EQ(ParseDxsimOptions({"--help"}, error)->help_for, DxsimOptions::Command::Help);
  // The manual's waits need a clock of 1 ms a read, unless another is asked for.
  EXPECT_EQ(ParseDxsimOptions({"run", "a.dxs", "--words"}, error)->tick_step, 1u);
  EXPECT_EQ(ParseDxsimOptions({"run", "a.dxs", "--tick-step", "5", "--words"}, error)->tick_step, 5u);
}

TEST(RecordLabel, NamesWhatTheBytesMean) {
  struct Row {
    uint32_t type;
    int32_t dx_or_vk;
    int32_t dy;
    uint32_t flags;
    std::string label;
  } rows[] = {
      {InputRecord::kTypeMouse, 6400, 17067, kMouseMove | kMouseAbsolute, "move 100,200"},
      {InputRecord::kTypeMouse, 5, -3, kMouseMove, "move by 5,-3"},
      {InputRecord::kTypeMouse, 0, 0, kMouseLeftDown, "left down"},
      {InputRecord::kTypeMouse, 0, 0, kMouseRightDown | kMouseRightUp, "right down, right up"},
      {InputRecord::kTypeMouse, 0, 0, kMouseMiddleUp, "middle up"},
      {InputRecord::kTypeMouse, 0, 0, 0, "mouse, no action"},
      {InputRecord::kTypeKeyboard, 0x0D, 0, kKeyUp, "key 0D up"},
      {InputRecord::kTypeKeyboard, 0x41, 0, 0, "key 41 down"},
      {InputRecord::kTypeKeyboard, 0x25, 0, kKeyExtended | kKeyUp, "key 25 up, extended"},
  };
  for (const Row& row : rows) {
    InputRecord record;
    record.SetType(row.type);
    if (row.type == InputRecord::kTypeKeyboard) {
      record.SetKeyVk(static_cast<uint16_t>(row.dx_or_vk));
      record.SetKeyFlags(row.flags);
    } else {
      record.SetMouseDx(row.dx_or_vk);
      record.SetMouseDy(row.dy);
      record.SetMouseFlags(row.flags);
    }
    EXPECT_EQ(RecordLabel(record, 1024, 768), row.label);
  }
}

}  // namespace
}  // namespace dx
