// Which lines a block runs, told by marker lines "KEY nn" (key code nn).
#include <gtest/gtest.h>

#include "tests/support/sim_run.h"

namespace dx {
namespace {

struct LoopCase {
  const char* name;
  std::vector<std::string> lines;
  std::vector<int> markers;
  int64_t max_lines = 10000;
};

TEST(Loops, BlocksRunTheirLinesThisOften) {
  const LoopCase cases[] = {
      {"loop 3", {"LOOP 3", "KEY 51", "ENDLOOP", "KEY 52", "ENDSCRIPT"}, {51, 51, 51, 52}},
      {"loop 0 runs once", {"LOOP 0", "KEY 51", "ENDLOOP", "ENDSCRIPT"}, {51}},
      {"loop -5 runs once", {"LOOP -5", "KEY 51", "ENDLOOP", "ENDSCRIPT"}, {51}},
      {"lowest count runs once", {"LOOP -2147483648", "KEY 51", "ENDLOOP", "ENDSCRIPT"}, {51}},
      {"hex count", {"LOOP $A", "KEY 51", "ENDLOOP", "ENDSCRIPT"}, std::vector<int>(10, 51)},
      {"nested 2 x 3",
       {"LOOP 2", "KEY 52", "LOOP 3", "KEY 51", "ENDLOOP", "ENDLOOP", "ENDSCRIPT"},
       {52, 51, 51, 51, 52, 51, 51, 51}},
      {"endloop with trailing text", {"LOOP 2", "KEY 51", "ENDLOOP here", "ENDSCRIPT"}, {51, 51}},
      {"until equal closes after one run", {"LONG a", "REPEAT", "KEY 51", "UNTIL a a", "ENDSCRIPT"}, {51}},
      {"untilne equal never closes", {"LONG a", "REPEAT", "KEY 51", "UNTILNE a a", "ENDSCRIPT"},
       std::vector<int>(5, 51), 12},
      {"undeclared names compare as 0", {"REPEAT", "KEY 51", "UNTIL x y", "ENDSCRIPT"}, {51}},
      {"repeat inside loop", {"LOOP 2", "REPEAT", "KEY 51", "UNTIL a a", "ENDLOOP", "ENDSCRIPT"}, {51, 51}},
      {"open block forgotten at the next pass", {"KEY 51", "LOOP 3", "KEY 52"}, {51, 52, 51, 52}, 6},
      {"LOOP without its blank is no command", {"LOOP", "LOOP5", "KEY 51", "ENDSCRIPT"}, {51}},
  };
  for (const auto& c : cases) {
    test::SimRun run(c.lines);
    run.Go(c.max_lines);
    EXPECT_FALSE(run.error) << c.name << ": " << run.error.value_or("");
    EXPECT_EQ(run.KeyDowns(), c.markers) << c.name;
  }
}

TEST(Loops, HighlightFollowsJumpsBack) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<int64_t> starts;
  } cases[] = {
      // LOOP 2 (0), KEY 51 (8), ENDLOOP (16), ENDSCRIPT (25).
      {"loop", {"LOOP 2", "KEY 51", "ENDLOOP", "ENDSCRIPT"}, {0, 8, 16, 8, 16, 25}},
      // Crosswise: ENDLOOP takes REPEAT's offset, so the highlight is out of
      // step until the blocks close; the lines themselves run correctly.
      {"crosswise",
       {"LOOP 2", "REPEAT", "KEY 51", "ENDLOOP", "KEY 52", "UNTIL a a", "ENDSCRIPT"},
       {0, 8, 16, 24, 16, 24, 32, 41, 49, 60}},
  };
  for (const auto& c : cases) {
    test::SimRun run(c.lines);
    run.Go();
    EXPECT_EQ(run.HighlightStarts(), c.starts) << c.name;
  }
}

TEST(Loops, WaitsForAColourOnTheScreen) {
  // Slot 2 shows slot 1's colour from the third look on.
  test::SimRun run({"LONG a", "LONG c", "GETCOLOR a 1", "REPEAT", "GETCOLOR c 2", "KEY 51", "UNTIL a c", "ENDSCRIPT"});
  run.window.SetLocation(1, "10", "10");
  run.window.SetLocation(2, "20", "20");
  run.platform.SetPixel(10, 10, 0x00FF00);
  run.platform.SetPixel(20, 20, 0x0000FF);
  run.window.AtDelivery(10, [&] { run.platform.SetPixel(20, 20, 0x00FF00); });
  run.Go();
  EXPECT_FALSE(run.error);
  EXPECT_EQ(run.KeyDowns().size(), 3u);
}

}  // namespace
}  // namespace dx
