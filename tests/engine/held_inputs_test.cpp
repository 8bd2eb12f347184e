// At the end of a run, exactly what the run pressed and did not release is
// released, latest first.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/sim_run.h"
#include "texts/program_texts.h"

namespace dx {
namespace {

// "K10D" / "K10U" for a key down / up, "M0002" for mouse flags.
std::string Describe(const InputRecord& r) {
  char buffer[16];
  if (r.Type() == InputRecord::kTypeKeyboard) {
    std::snprintf(buffer, sizeof buffer, "K%02X%c", r.KeyVk(), (r.KeyFlags() & kKeyUp) ? 'U' : 'D');
  } else {
    std::snprintf(buffer, sizeof buffer, "M%04X", r.MouseFlags());
  }
  return buffer;
}

TEST(HeldInputs, EndOfRunReleasesWhatTheRunLeftDown) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> sent;
    int stop_at_delivery = 0;  // > 0: the button is clicked in that delivery
    bool fails = false;
    uint64_t refuse_at = 0;  // > 0: the system refuses that record
    std::string message = "";
  } cases[] = {
      {"shift left down", {"KEY $10", "ENDSCRIPT"}, {"K10D", "K10U"}},
      {"latest first", {"KEY $10", "KEY $11", "MOUSE LD", "ENDSCRIPT"}, {"K10D", "K11D", "M0002", "M0004", "K11U", "K10U"}},
      {"released by the script", {"KEY $10", "KEY $10 UP", "ENDSCRIPT"}, {"K10D", "K10U"}},
      {"clicks and presses leave nothing", {"MOUSE LC", "KEY $41 PRESS", "ENDSCRIPT"}, {"M0002", "M0004", "K41D", "K41U"}},
      {"pressed twice, released once", {"KEY $10", "KEY $10", "KEY $10 UP", "ENDSCRIPT"}, {"K10D", "K10D", "K10U"}},
      {"never a key the run did not press", {"KEY $10 UP", "MOUSE RU", "ENDSCRIPT"}, {"K10U", "M0010"}},
      {"unknown action resends a down", {"MOUSE MD", "MOUSE MU", "MOUSE MX", "ENDSCRIPT"}, {"M0020", "M0040", "M0040"}},
      {"resent down counts as pressed", {"MOUSE RD", "KEY $41 PRESS", "MOUSE Z", "MOUSE RU", "MOUSE Q", "ENDSCRIPT"},
       {"M0008", "K41D", "K41U", "M0008", "M0010", "M0010"}},
      {"on a failure", {"MOUSE RD", "LOOP x"}, {"M0008", "M0010"}, 0, true},
      {"on a stop during DELAY", {"KEY $A0", "DELAY 100000"}, {"KA0D", "KA0U"}, 5},
      {"slot key", {"KEY #01", "ENDSCRIPT"}, {"K5BD", "K5BU"}},
      {"refused release: the run ends at its line, the key is released", {"KEY $10", "KEY $41 PRESS", "BEEP"},
       {"K10D", "K41D", "K41U", "K41U", "K10U"}, 0, true, 3, RefusedInputMessage(2) + "."},
      {"refused press: nothing was pressed, the rest does not run", {"MOUSE LC", "KEY $41 PRESS"}, {"M0002"}, 0,
       true, 1, RefusedInputMessage(1) + "."},
      {"refused in a later pass names the line", {"KEY $41 PRESS", "LONG a"}, {"K41D", "K41U", "K41D", "K41U", "K41U"},
       0, true, 4, RefusedInputMessage(1) + "."},
  };
  for (const auto& c : cases) {
    test::SimRun run(c.lines);
    run.window.SetKeySlot(1, "5B");
    run.platform.RefuseInputAt(c.refuse_at);
    if (c.stop_at_delivery > 0) run.window.AtDelivery(c.stop_at_delivery, [&] { run.window.ClickGo(run.platform); });
    run.Go();
    EXPECT_EQ(run.error.has_value(), c.fails) << c.name;
    if (!c.message.empty()) {
      EXPECT_EQ(run.error.value_or(""), c.message) << c.name;
    }
    EXPECT_EQ(run.log.Count(SimEvent::Kind::Beep), 0u) << c.name;
    std::vector<std::string> sent;
    for (const auto& r : run.log.SentRecords()) sent.push_back(Describe(r));
    EXPECT_EQ(sent, c.sent) << c.name;
  }
}

TEST(HeldInputs, ReleaseRecordsAreCleanReleases) {
  HeldInputs held;
  InputRecord key;
  key.SetType(InputRecord::kTypeKeyboard);
  key.SetKeyVk(0xA5);
  key.SetKeyScan(0x38);
  key.SetKeyFlags(kKeyExtended);
  key.SetMouseFlags(0x8001);  // dwExtraInfo left over from a mouse move
  held.Note(key);
  const auto records = held.ReleaseRecords();
  ASSERT_EQ(records.size(), 1u);
  // The release carries the press's scan code and extended flag, nothing else.
  EXPECT_EQ(HexBytes(records[0]), "01000000A50038000300000000000000000000000000000000000000");
}

}  // namespace
}  // namespace dx
