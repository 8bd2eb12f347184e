#include <gtest/gtest.h>

#include <cstdio>

#include "engine/window_entry.h"
#include "texts/program_texts.h"
#include "tests/support/sim_run.h"

namespace dx {
namespace {

using Kind = SimEvent::Kind;

struct Selection {
  int64_t start, asked, got;
  bool operator==(const Selection&) const = default;
};

std::vector<Selection> Selections(const test::SimRun& run) {
  std::vector<Selection> out;
  for (const auto& e : run.log.Events()) {
    if (e.kind == Kind::SelectInEditor) out.push_back({e.a, e.b, e.c});
  }
  return out;
}

TEST(RunLoop, HighlightCoversEachLineAndItsBreak) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<Selection> selections;
  } cases[] = {
      {"the initial text", "endscript", {{0, 11, 9}}},
      {"trailing break adds no line", "BEEP\r\nENDSCRIPT\r\n", {{0, 6, 6}, {6, 11, 11}}},
      {"empty middle line advances by 2", "BEEP\r\n\r\nENDSCRIPT", {{0, 6, 6}, {6, 2, 2}, {8, 11, 9}}},
      {"blanks count in the highlight", "   ENDSCRIPT", {{0, 14, 12}}},
      {"tab before the keyword", "\tEndScript", {{0, 12, 10}}},
  };
  for (const auto& c : cases) {
    test::SimRun run;
    run.window.SetEditorText(c.text);
    run.Go();
    EXPECT_EQ(run.outcome, RunOutcome::Ended) << c.name;
    EXPECT_EQ(Selections(run), c.selections) << c.name;
  }
}

TEST(RunLoop, ADocumentEndingInAnEmptyLineKeepsItAsTheWindowDoes) {
  test::SimRun run({"BEEP", ""});
  EXPECT_EQ(run.window.EditorText(), "BEEP\r\n\r\n");
  EXPECT_EQ(ScriptLineCount(run.window), 2);
}

TEST(RunLoop, StartsOnlyWithLinesAndAWindow) {
  struct Case {
    const char* name;
    std::string text;
    std::string window;
    std::string caption;
    RunOutcome outcome;
    std::vector<std::string> messages;
    bool stop_requested;
  } cases[] = {
      {"empty editor", "", "00010001 - T", "go", RunOutcome::NotStarted, {}, false},
      {"no window chosen", "endscript", "00010001", "go", RunOutcome::NotStarted, {"Please select relative window"}, false},
      {"caption stop is a stop request", "endscript", "00010001 - T", "stop", RunOutcome::NotStarted, {}, true},
      {"runs", "endscript", "00010001 - T", "go", RunOutcome::Ended, {}, true},
  };
  for (const auto& c : cases) {
    test::SimRun run;
    run.window.SetEditorText(c.text);
    run.window.SetTargetWindowText(c.window);
    run.window.SetGoCaption(c.caption);
    run.Go();
    EXPECT_EQ(run.outcome, c.outcome) << c.name;
    EXPECT_EQ(run.window.PlainMessages(), c.messages) << c.name;
    EXPECT_EQ(run.window.GoCaption(), "go") << c.name;
    EXPECT_EQ(run.window.Fields().StopRequested, c.stop_requested) << c.name;
  }
}

TEST(RunLoop, RunTakesItsStepsInOrder) {
  test::SimRun run({"endscript"});
  run.window.SetTargetWindowText("00ABCDEF - Notepad");
  run.Go();
  std::vector<std::string> lines;
  for (const auto& e : run.log.Events()) lines.push_back(FormatSimEvent(e));
  const std::vector<std::string> expected = {
      "SetGoCaption stop", "SetStatusText skript je aktivn\xC3\xAD", "MakeMainWindowNotTopmost",
      "SetForegroundWindow 00ABCDEF", "SelectInEditor 0 11 -> 9", "DeliverMessages",
      "SetStatusText skript byl zastaven", "SetGoCaption go"};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(run.window.Fields().Phase, RunPhase::Idle);
}

TEST(RunLoop, StopsReachTheRun) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    int64_t at_delivery;
    int action;  // 0 click the button, 1 hot key, 2 close the application
    int64_t deliveries;
  } cases[] = {
      // DELAY leaves at once; the line's own delivery follows, then the end.
      {"button during a long DELAY", {"DELAY 100000000", "BEEP"}, 3, 0, 4},
      {"hot key during a long DELAY", {"DELAY 100000000", "BEEP"}, 3, 1, 4},
      {"closing during a long DELAY", {"DELAY 100000000", "BEEP"}, 3, 2, 4},
      {"button in an endless REPEAT", {"LONG a", "REPEAT", "UNTILNE a a"}, 50, 0, 50},
      {"hot key between lines", {"BEEP"}, 7, 1, 7},
  };
  for (const auto& c : cases) {
    test::SimRun run(c.lines);
    run.window.AtDelivery(c.at_delivery, [&] {
      if (c.action == 0) run.window.ClickGo(run.platform);
      if (c.action == 1) run.window.Fields().StopRequested = true;
      if (c.action == 2) run.window.Terminate();
    });
    run.Go(0);
    EXPECT_EQ(run.outcome, RunOutcome::Ended) << c.name;
    EXPECT_EQ(run.window.DeliveryCount(), c.deliveries) << c.name;
    EXPECT_EQ(run.window.StatusText(), kStatusStopped) << c.name;
    EXPECT_EQ(run.window.GoCaption(), "go") << c.name;
  }
}

TEST(RunLoop, LeftoverStopRequestDoesNotEndTheNextRun) {
  test::SimRun run({"BEEP", "ENDSCRIPT"});
  run.window.Fields().StopRequested = true;  // hot key pressed while idle
  run.Go();
  EXPECT_EQ(run.log.Count(Kind::Beep), 1u);
}

TEST(RunLoop, NestedStartIsRefused) {
  test::SimRun run({"BEEP"});
  RunOutcome nested = RunOutcome::Ended;
  run.window.AtDelivery(2, [&] {
    run.window.ClickGo(run.platform);           // stop: caption back to "go"
    nested = run.window.ClickGo(run.platform);  // and "go" again at once
  });
  run.Go(0);
  EXPECT_EQ(nested, RunOutcome::NotStarted);
  EXPECT_EQ(run.log.Count(Kind::MakeMainWindowNotTopmost), 1u);
  EXPECT_EQ(run.window.DeliveryCount(), 2);
}

TEST(RunLoop, EmptiedEditorStillDeliversSoAStopReachesIt) {
  test::SimRun run({"BEEP", "BEEP"});
  run.window.AtDelivery(1, [&] { run.window.SetEditorText(""); });
  run.window.AtDelivery(40, [&] { run.window.ClickGo(run.platform); });
  run.Go(0);
  EXPECT_EQ(run.outcome, RunOutcome::Ended);
  EXPECT_EQ(run.window.DeliveryCount(), 40);
  EXPECT_EQ(run.log.Count(Kind::Beep), 1u);
}

TEST(RunLoop, EditsDuringTheRunTakeEffectAtOnce) {
  test::SimRun run({"BEEP", "BEEP", "BEEP"});
  run.window.AtDelivery(1, [&] { run.window.SetCodeLines({"BEEP", "ENDSCRIPT"}); });
  run.Go();
  EXPECT_EQ(run.log.Count(Kind::Beep), 1u);
  EXPECT_EQ(run.outcome, RunOutcome::Ended);
}

TEST(RunLoop, EveryPassStartsWithoutVariablesOrBlocks) {
  // Pass 1 leaves a = colour 7 and an open LOOP; pass 2 must see neither.
  test::SimRun run({"REPEAT", "KEY 51", "UNTIL a b", "LONG a", "GETCOLOR a .1.1", "LOOP 5"});
  run.platform.SetPixel(1, 1, 7);
  run.Go(12);
  EXPECT_FALSE(run.error);
  EXPECT_EQ(run.KeyDowns(), (std::vector<int>{51, 51}));
}

TEST(RunLoop, FailuresEndTheRunWithTheirMessage) {
  struct Case {
    std::string line;
    std::string message;
  } cases[] = {
      {"LOOP x", "'x' is not a valid integer value."},
      {"LOOP 5 ", "'5 ' is not a valid integer value."},
      {"DELAY 5 ", "'5 ' is not a valid integer value."},
      {"DELAY ", "'' is not a valid integer value."},
      {"MOUSE", "'MOUSE' is not a complete MOUSE command."},
      {"MOUSE ", "'MOUSE ' is not a complete MOUSE command."},
      {"MOUSE G", "'MOUSE G' is not a complete MOUSE command."},
      {"MOUSE GO ", "'MOUSE GO ' is not a complete MOUSE command."},
      {"mouse l", "'mouse l' is not a complete MOUSE command."},
      {"MOUSE GO.640.480", "'640.480' is not a valid integer value."},
      {"MOUSE GO .640.", "'' is not a valid integer value."},
      {"MOUSE GO .640", "'' is not a valid integer value."},
      {"MOUSE GO 3", "'' is not a valid integer value."},
      {"MOUSE GO 5 ", "'5 ' is not a valid integer value."},
      {"KEY", "'KEY' is not a complete KEY command."},
      {"KEY ", "'KEY ' is not a complete KEY command."},
      {"KEY #5 PRESS", "'5 ' is not a valid integer value."},
      {"KEY $4 PRESS", "'$4 ' is not a valid integer value."},
      {"KEY 07", "'$' is not a valid integer value."},
      {"ENDLOOP", "'ENDLOOP' has no open LOOP block."},
      {"UNTIL a b", "'UNTIL a b' has no open REPEAT block."},
      {"untilne a b", "'untilne a b' has no open REPEAT block."},
      {"GETCOLOR a", "'GETCOLOR a' is not a complete GETCOLOR command."},
      {"GETCOLOR a ", "'GETCOLOR a ' is not a complete GETCOLOR command."},
      {"GETCOLOR a 10 ", "'10 ' is not a valid integer value."},
      {"GETCOLOR a 3", "'' is not a valid integer value."},
  };
  for (const auto& c : cases) {
    test::SimRun run({"BEEP", c.line, "BEEP"});
    run.Go();
    EXPECT_EQ(run.error.value_or("(none)"), c.message) << c.line;
    EXPECT_EQ(run.window.SelectionStart(), 6) << c.line;  // the failing line stays highlighted
    EXPECT_EQ(run.log.Count(Kind::Beep), 1u) << c.line;
    EXPECT_EQ(run.window.GoCaption(), "go") << c.line;
    EXPECT_EQ(run.window.StatusText(), kStatusStopped) << c.line;
    EXPECT_EQ(run.window.Fields().Phase, RunPhase::Idle) << c.line;
  }
}

TEST(RunLoop, TargetThatCannotBePlayedIntoFailsBeforeTheFirstLine) {
  struct Case {
    const char* name;
    const char* window;
    bool higher_rights;
    std::string message;
  } cases[] = {
      {"unreadable handle", "zzzzzzzz - x", false, "'$zzzzzzzz' is not a valid integer value."},
      {"higher rights", "00010001 - T", true, HigherRightsMessage() + "."},
  };
  for (const auto& c : cases) {
    test::SimRun run({"BEEP"});
    run.window.SetTargetWindowText(c.window);
    run.platform.SetTargetHasHigherRights(c.higher_rights);
    run.Go();
    EXPECT_EQ(run.error.value_or(""), c.message) << c.name;
    EXPECT_EQ(run.log.Count(Kind::MakeMainWindowNotTopmost), 1u) << c.name;
    EXPECT_EQ(run.log.Count(Kind::SetForegroundWindow), 0u) << c.name;
    EXPECT_EQ(run.log.Count(Kind::Beep), 0u) << c.name;
    EXPECT_EQ(run.window.GoCaption(), "go") << c.name;
    EXPECT_EQ(run.window.StatusText(), kStatusStopped) << c.name;
  }
}

TEST(WindowEntry, EightDigitsThenTheTitleCutTo199AndBack) {
  const std::string long_title(250, 't');
  struct Row { uint32_t handle; std::string title; std::string entry; } rows[] = {
      {0x104A2, "Calculator", "000104A2 - Calculator"},
      {0xFFFFFFFFu, "x", "FFFFFFFF - x"},
      {0x1E00007, long_title, "01E00007 - " + long_title.substr(0, 199)},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(WindowEntry(row.handle, row.title), row.entry);
    EXPECT_EQ(HandleOfWindowEntry(row.entry), row.handle) << row.entry;
    EXPECT_TRUE(NamesAWindow(row.entry));
  }
  EXPECT_FALSE(NamesAWindow("0001000A"));
}

TEST(Delay, WaitsAtLeastItsTimeAcrossAnyTickValue) {
  struct Case {
    const char* name;
    uint64_t tick_start;
    const char* line;
    int64_t delay_deliveries;
  } cases[] = {
      {"500 ms at 10 ms a read", 1000, "DELAY 500", 51},
      {"zero still delivers once", 1000, "DELAY 0", 1},
      {"negative ends after one delivery", 1000, "DELAY -5", 1},
      {"negative near the clock's start", 0, "DELAY -5", 1},
      {"spanning the 32-bit wrap", 0xFFFFFF00ull, "DELAY 500", 51},
      {"the longest wait does not overflow", 0xFFFFFFFFFFull, "DELAY 2147483647", -1},
      {"DELAY with a tab is no command", 1000, "DELAY\t500", 0},
  };
  for (const auto& c : cases) {
    test::SimRun run({c.line, "ENDSCRIPT"});
    run.platform.SetClock(c.tick_start, 10);
    if (c.delay_deliveries < 0) run.window.AtDelivery(1000, [&] { run.window.ClickGo(run.platform); });
    run.Go();
    if (c.delay_deliveries < 0) {
      EXPECT_EQ(run.window.DeliveryCount(), 1001) << c.name;
      continue;
    }
    EXPECT_EQ(run.window.DeliveryCount(), c.delay_deliveries + 2) << c.name;
  }
}

// A host that may sleep in a DELAY is told how long is left, from the
// clock's last reading: the clock is read no more often than before.
TEST(Delay, TellsAWaitingHostTheTimeLeft) {
  struct WaitingWindow : SimMainWindow {
    using SimMainWindow::SimMainWindow;
    void DeliverMessagesWaiting(uint64_t wait_ms) override {
      budgets.push_back(wait_ms);
      DeliverMessages();
    }
    std::vector<uint64_t> budgets;
  };
  struct Case {
    const char* line;
    std::vector<uint64_t> budgets;
  } cases[] = {
      {"DELAY 25", {26, 16, 6}},  // ends on the first reading past 1025
      {"DELAY 0", {1}},
      {"DELAY -5", {0}},
  };
  for (const auto& c : cases) {
    SimLog log;
    WaitingWindow window(log);
    SimPlatform platform(log);
    platform.SetClock(1000, 10);
    window.SetCodeLines({c.line, "ENDSCRIPT"});
    window.ClickGo(platform);
    EXPECT_EQ(window.budgets, c.budgets) << c.line;
  }
  // A host with a millisecond clock: DELAY 0 is one delivery without a wait.
  struct ExactClock : SimPlatform {
    using SimPlatform::SimPlatform;
    bool ZeroDelayWaitsForTick() override { return false; }
  };
  SimLog log;
  WaitingWindow window(log);
  ExactClock platform(log);
  window.SetCodeLines({"DELAY 0", "ENDSCRIPT"});
  window.ClickGo(platform);
  EXPECT_EQ(window.budgets, std::vector<uint64_t>{0});
}

TEST(Variables, TableHasNoCapacityLimit) {
  VariableTable table;
  for (int i = 0; i < 1000; ++i) table.DeclareVariable("v" + std::to_string(i));
  for (int i = 0; i < 1000; ++i) table.SetVariable("v" + std::to_string(i), i * 3);
  table.DeclareVariable("v7");  // again: keeps its value
  table.SetVariable("V7", 1);   // names are case-sensitive
  table.SetVariable("nobody", 1);
  ASSERT_EQ(table.Entries().size(), 1000u);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(table.GetVariable("v" + std::to_string(i)), i * 3);
  EXPECT_EQ(table.GetVariable("nobody"), 0);
  EXPECT_FALSE(table.FindVariable("nobody"));
}

TEST(Variables, LongAndGetColorNameAndLocationRules) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    bool a_is_five;  // the colour at 10,20
  } cases[] = {
      {"getcolor stores the slot's colour", {"LONG a", "GETCOLOR a 1"}, true},
      {"names are case-sensitive", {"LONG a", "GETCOLOR A 1"}, false},
      {"trailing blank belongs to the name", {"LONG a ", "GETCOLOR a 1"}, false},
      {"declaring again keeps the value", {"LONG a", "GETCOLOR a 1", "LONG a"}, true},
      {"hex slot number $A is slot 10", {"LONG a", "GETCOLOR a $A"}, true},
      {"other slot, other colour", {"LONG a", "GETCOLOR a 2"}, false},
      {"slot 0 reads at the last MOUSE point", {"LONG a", "MOUSE GO .10.20", "GETCOLOR a 0"}, true},
      {"slot 21 reads at the last GETCOLOR point", {"LONG a", "GETCOLOR a 1", "GETCOLOR a 2", "GETCOLOR a 21"}, false},
      {"explicit coordinates", {"LONG a", "GETCOLOR a .10.20"}, true},
      {"outside the screen reads -1", {"LONG a", "GETCOLOR a .-1.20"}, false},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = c.lines;
    // The block closes after one round only when a equals the colour 5.
    lines.insert(lines.end(), {"LONG five", "GETCOLOR five .10.20", "REPEAT", "KEY 51", "UNTIL a five", "ENDSCRIPT"});
    test::SimRun run(lines);
    run.window.SetLocation(1, "10", "20");
    run.window.SetLocation(10, "10", "20");
    run.window.SetLocation(2, "30", "40");
    run.platform.SetPixel(10, 20, 5);
    run.platform.SetPixel(30, 40, 6);
    run.Go(static_cast<int64_t>(lines.size()) + 10);
    EXPECT_FALSE(run.error) << c.name;
    EXPECT_EQ(run.KeyDowns().size() == 1, c.a_is_five) << c.name;
  }
}

TEST(Variables, MoreThan256VariablesEachKeepTheirOwnValue) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 300; ++i) lines.push_back("LONG v" + std::to_string(i));
  // With an 8-bit index, v300 would land on v44.
  lines.insert(lines.end(), {"GETCOLOR v300 .1.1", "REPEAT", "KEY 51", "UNTIL v44 zero", "ENDSCRIPT"});
  test::SimRun run(lines);
  run.platform.SetPixel(1, 1, 9);
  run.Go(static_cast<int64_t>(lines.size()) + 10);
  EXPECT_EQ(run.KeyDowns().size(), 1u);
}

}  // namespace
}  // namespace dx
