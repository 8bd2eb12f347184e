#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "engine/command_table.h"
#include "engine/keyword_rule.h"
#include "tests/support/sim_run.h"

namespace dx {
namespace {

TEST(KeywordRule, MatchesTheKeywordsCharactersInAnyAsciiCase) {
  struct Case {
    const char* line;
    const char* keyword;
    bool match;
  } cases[] = {
      {"ENDSCRIPT", "ENDSCRIPT", true}, {"Endscript.", "ENDSCRIPT", true}, {"endloop now", "ENDLOOP", true},
      {"END SCRIPT", "ENDSCRIPT", false}, {"LOOP", "LOOP ", false},       {"LOOP5", "LOOP ", false},
      {"loop 5", "LOOP ", true},          {"REPEATING", "REPEAT", true},   {"DELAY\t5", "DELAY ", false},
      {"", "KEY", false},                 {"KE", "KEY", false},            {"\xC9NDLOOP", "ENDLOOP", false},
      {"untilne a b", "UNTIL ", false},   {"untilne a b", "UNTILNE ", true},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchKeyword(c.line, c.keyword), c.match) << c.line << " / " << c.keyword;
}

TEST(KeywordRule, StripsOnlyLeadingBlanksAndTabs) {
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {{"   ENDSCRIPT", "ENDSCRIPT"}, {"\t \tKEY 05", "KEY 05"}, {"a  b ", "a  b "}, {" \t ", ""}, {"", ""},
               {"\nX", "\nX"}};
  for (auto c : cases) {
    StripLeadingBlanks(c.in);
    EXPECT_EQ(c.in, c.out);
  }
}

TEST(KeywordRule, FirstBlankSplitHandlesAnyLength) {
  const std::string long_name(300, 'n');
  struct Case {
    std::string text;
    std::string first;
    std::string second;
  } cases[] = {
      {"a b", "a", "b"},           {"a  b ", "a", " b "}, {"ab", "ab", ""}, {" b", "", "b"}, {"", "", ""},
      {long_name + " 3", long_name, "3"}, {"x " + long_name, "x", long_name},
  };
  for (const auto& c : cases) {
    const OperandPair p = SplitAtFirstBlank(c.text);
    EXPECT_EQ(p.first, c.first);
    EXPECT_EQ(p.second, c.second);
  }
}

TEST(KeywordRule, HandlersComeInTheFixedOrder) {
  const char* expected[] = {"MOUSE", "KEY",  "ENDSCRIPT", "DELAY ",  "LOOP ",  "ENDLOOP",
                            "LONG ", "BEEP", "GETCOLOR ", "REPEAT", "UNTIL ", "UNTILNE "};
  ASSERT_EQ(kCommandTable.size(), std::size(expected));
  for (std::size_t i = 0; i < kCommandTable.size(); ++i) EXPECT_EQ(kCommandTable[i].keyword, expected[i]);
}

TEST(KeywordRule, NoLineMatchesTwoKeywords) {
  for (const auto& a : kCommandTable) {
    for (const auto& b : kCommandTable) {
      if (&a == &b) continue;
      EXPECT_FALSE(MatchKeyword(a.keyword, b.keyword)) << a.keyword << " / " << b.keyword;
    }
  }
}

// What a handler can change: the log of the window and platform, and the
// run's state.
struct Trace {
  std::size_t events;
  bool stop;
  std::size_t variables;
  std::vector<int32_t> loop_lines, loop_counts, repeat_lines, resume_offsets;
  int32_t line_index, line_offset, x, y;
  std::array<uint8_t, InputRecord::kSize> input;
  bool operator==(const Trace&) const = default;
};

Trace TraceOf(const test::SimRun& run, RunState& state) {
  return {run.log.Events().size(), state.Owner.Fields().StopRequested, state.Variables.Entries().size(),
          state.LoopLines, state.LoopCounts, state.RepeatLines, state.ResumeOffsets, state.LineIndex,
          state.LineOffset, state.CurrentPoint.x, state.CurrentPoint.y, state.Input.Bytes()};
}

TEST(KeywordRule, EachCommandLineMatchesOneKeywordAndRunsItsHandler) {
  struct Row {
    Command command;
    const char* operands;  // behind the keyword as the table spells it
  } rows[] = {
      {Command::Mouse, " LC"}, {Command::Key, " $41"}, {Command::EndScript, ""}, {Command::Delay, "0"},
      {Command::Loop, "2"},    {Command::EndLoop, ""}, {Command::Long, "new"},   {Command::Beep, ""},
      {Command::GetColor, "a .1.1"}, {Command::Repeat, ""}, {Command::Until, "a b"}, {Command::UntilNe, "a b"},
  };
  ASSERT_EQ(std::size(rows), kCommandTable.size());
  for (const Row& row : rows) {
    const std::string line = std::string(Keyword(row.command)) + row.operands;
    EXPECT_EQ(MatchCommand(line), row.command) << line;
    EXPECT_EQ(std::count_if(kCommandTable.begin(), kCommandTable.end(),
                            [&](const CommandEntry& entry) { return MatchKeyword(line, entry.keyword); }),
              1)
        << line;
    {
      test::SimRun run;
      RunState state(run.window, run.platform);
      // One block of each kind open, so that the closing lines can act.
      state.LineIndex = 5;
      state.LineOffset = 50;
      state.LoopLines = {1};
      state.LoopCounts = {1};
      state.RepeatLines = {2};
      state.ResumeOffsets = {10, 20};
      state.Variables.DeclareVariable("a");
      const Trace before = TraceOf(run, state);
      OfferLine(line, state);
      EXPECT_NE(TraceOf(run, state), before) << "line '" << line << "' did nothing";
    }
  }
}

}  // namespace
}  // namespace dx
