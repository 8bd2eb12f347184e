// The checker against the engine itself: on random scripts, every line on
// which a run fails must be a line the checker reports with that very
// error. (Blocks closed crosswise are left out: there the run's stacks part
// from the order of the lines, which the checker says in a warning.)
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "checker/check_script.h"
#include "base/script_error.h"
#include "tests/checker/test_document.h"
#include "tests/support/sim_run.h"

namespace dx::check {
namespace {

const char* const kLines[] = {
    "MOUSE GO 1", "MOUSE GO 3",   "MOUSE GO 0",     "MOUSE GO .5.5", "MOUSE GO .5.", "MOUSE GO.640.480", "MOUSE LC",
    "MOUSE L",    "MOUSE",        "MOUSE RD",       "KEY $41",       "KEY #01 UP",   "KEY #03",          "KEY #5 PRESS",
    "KEY 65",     "KEY",          "KEY $4",         "DELAY 0",       "DELAY x",      "DELAY 1 ",         "LOOP 2",
    "LOOP 0",     "LOOP y",       "ENDLOOP",        "LONG a",        "LONG b",       "GETCOLOR a 1",     "GETCOLOR b 2",
    "GETCOLOR a", "GETCOLOR a 4", "GETCOLOR b .1.", "REPEAT",        "UNTIL a b",    "UNTILNE a b",      "UNTIL a",
    "BEEP",       "  ENDLOOP",    "\tREPEAT",       "LOOP5",         "comment",      "ENDSCRIPT",
    "MOUSE CLICK", "KEY $41PRESS", "KEY #41",       "UNTIL a",       "WAIT 500",     "DELAY \t5",
    "Keyboard: press Enter below", "Delay a bit here", "Repeat until the window opens", "KEY $41 SETUP",
};

// The 1-based line the run ended on: the last one it highlighted.
int LastHighlightedLine(const dx::test::SimRun& run, const std::vector<std::string>& code) {
  int64_t start = -1;
  for (const SimEvent& e : run.log.Events()) {
    if (e.kind == SimEvent::Kind::SelectInEditor) start = e.a;
  }
  int64_t offset = 0;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (offset == start) return static_cast<int>(i) + 1;
    offset += static_cast<int64_t>(code[i].size()) + 2;
  }
  return 0;
}

TEST(CheckScript, EveryLineARunFailsOnIsReportedWithTheRunsMessage) {
  std::mt19937 random(20261210);
  int failed_runs = 0;
  for (int script = 0; script < 3000; ++script) {
    std::vector<std::string> code(1 + random() % 8);
    for (std::string& line : code) line = kLines[random() % std::size(kLines)];
    const ScriptDocument doc = TestDocument(code);
    const std::vector<Diagnostic> found = CheckScript(doc);
    bool crossed = false;
    for (const Diagnostic& d : found) crossed = crossed || d.rule == Rule::CrossedBlocks;
    if (crossed) continue;

    dx::test::SimRun run(code);
    for (int n = 1; n <= 4; ++n) run.window.SetLocation(n, doc.locations[n - 1].x, doc.locations[n - 1].y);
    for (int n = 1; n <= 3; ++n) run.window.SetKeySlot(n, doc.keys[n - 1]);
    run.Go(200);
    if (!run.error) continue;
    ++failed_runs;
    const int line = LastHighlightedLine(run, code);
    bool reported = false;
    for (const Diagnostic& d : found) {
      reported = reported || (d.line == line && d.severity() == Severity::Error && d.message == *run.error);
    }
    std::string text;
    for (const std::string& l : code) text += l + " | ";
    EXPECT_TRUE(reported) << "line " << line << ": " << *run.error << "\n  in " << text;
  }
  EXPECT_GT(failed_runs, 500) << "the vocabulary should make many runs fail";
}

}  // namespace
}  // namespace dx::check
