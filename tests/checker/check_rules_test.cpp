#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "checker/check_script.h"
#include "engine/run_control.h"
#include "sim/sim_main_window.h"
#include "sim/sim_platform.h"
#include "tools/dxsim/run_words.h"
#include "tests/checker/test_document.h"

namespace dx::check {
namespace {

// "LINE:COLUMN rule" for every finding.
std::vector<std::string> Found(const std::vector<Diagnostic>& diagnostics) {
  std::vector<std::string> out;
  for (const Diagnostic& d : diagnostics) {
    out.push_back(std::to_string(d.line) + ":" + std::to_string(d.column) + " " + std::string(RuleOf(d.rule).name));
  }
  return out;
}

std::size_t CountOf(const std::vector<Diagnostic>& diagnostics, const Diagnostic& finding) {
  return static_cast<std::size_t>(std::count_if(diagnostics.begin(), diagnostics.end(), [&](const Diagnostic& d) {
    return d.rule == finding.rule && d.line == finding.line;
  }));
}

// Following a suggestion that rewrites a line leaves one finding fewer of
// its rule on its line.
void ExpectEachFixRemovesItsFinding(const std::vector<std::string>& code, const std::vector<Diagnostic>& diagnostics) {
  for (const Diagnostic& d : diagnostics) {
    if (d.fix.line == 0) continue;
    std::vector<std::string> fixed = code;
    fixed[static_cast<std::size_t>(d.fix.line - 1)] = d.fix.text;
    EXPECT_LT(CountOf(CheckScript(TestDocument(fixed)), d), CountOf(diagnostics, d))
        << code[static_cast<std::size_t>(d.line - 1)] << " -> " << d.fix.text;
  }
}

TEST(CheckScript, EachRuleFindsWhatItNames) {
  struct Row {
    std::vector<std::string> code;  // an ENDSCRIPT line is added unless the row is about its absence
    std::vector<std::string> found;
    std::string suggestion = {};  // of the first finding, when given
  } rows[] = {
      {{"LOOP 5 ", "ENDLOOP"}, {"1:6 invalid-integer"}, "delete the blank after '5': did you mean 'LOOP 5'?"},
      {{"MOUSE GO.640.480"}, {"1:10 invalid-integer"}, "did you mean 'MOUSE GO .640.480'?"},
      {{"KEY #5 PRESS"}, {"1:6 invalid-integer"}, "did you mean 'KEY #05 PRESS'?"},
      {{"KEY $D PRESS"}, {"1:5 invalid-integer"}, "did you mean 'KEY $0D PRESS'?"},
      {{"  DELAY x", "MOUSE GO .640."}, {"1:9 invalid-integer", "2:15 invalid-integer"}},
      {{"MOUSE GO 3", "KEY #03", "LONG a", "GETCOLOR a 4"},
       {"1:10 invalid-slot-value", "2:6 invalid-slot-value", "4:12 invalid-slot-value"},
       "location slot 3 x is empty"},
      {{"MOUSE L", "KEY", "LONG a", "GETCOLOR a"},
       {"1:8 incomplete-command", "2:4 incomplete-command", "4:11 incomplete-command"}},
      {{"ENDLOOP", "LONG a", "  UNTIL a a"}, {"1:1 no-open-block", "3:3 no-open-block"}},
      {{"LOOP5", "DELAY\t500", "LOOP", "UNTILNE"},
       {"1:1 missing-blank", "2:1 missing-blank", "3:1 missing-blank", "4:1 missing-blank"},
       "did you mean 'LOOP 5'?"},
      {{"END SCRIPT", "get color a 1"}, {"1:1 split-keyword", "2:1 split-keyword"}, "did you mean 'ENDSCRIPT'?"},
      {{"MOUS GO 1", "ENDLOOOP", "Beap"},
       {"1:1 misspelt-keyword", "2:1 misspelt-keyword", "3:1 misspelt-keyword"},
       "did you mean 'MOUSE GO 1'?"},
      {{"KYE $41 PRESS", "ky #01"}, {"1:1 misspelt-keyword", "2:1 misspelt-keyword"}, "did you mean 'KEY $41 PRESS'?"},
      {{"WAIT 500", "sleep 1000", "LONG a", "LONG b", "REPEAT", "GETCOLOR a 1", "ENDREPEAT", "UNTIL a b"},
       {"1:1 foreign-keyword", "2:1 foreign-keyword", "7:1 foreign-keyword"},
       "did you mean 'DELAY 500'?"},
      {{"Mouse to the button", "Keyboard: press Enter below", "Delay a bit here", "Repeat until the window opens",
        "UNTIL"},
       {"1:1 comment-read-as-command", "2:1 comment-read-as-command", "2:5 invalid-integer",
        "3:1 comment-read-as-command", "3:7 invalid-integer", "4:1 comment-read-as-command", "4:1 unclosed-block",
        "5:1 missing-blank", "6:1 endscript-in-block"},
       "a line that starts with ';' is always a comment: did you mean '; Mouse to the button'?"},
      {{"MOUSE CLICK", "MOUSE DOUBLECLICK", "MOUSE LEFT", "mouse right down", "MOUSE MOVE 1", "MOUSE X"},
       {"1:7 unknown-mouse-action", "2:7 unknown-mouse-action", "3:8 unknown-mouse-action", "4:8 unknown-mouse-action",
        "5:8 unknown-mouse-action", "6:7 unknown-mouse-action"},
       "did you mean 'MOUSE LC'?"},
      {{"KEY $41PRESS", "KEY #01UP", "KEY 01PRESS", "KEY $41XPRESS", "KEY $41 UP"},
       {"1:8 glued-key-word", "2:1 held-at-end", "2:8 glued-key-word", "3:7 glued-key-word"},
       "did you mean 'KEY $41 PRESS'?"},
      {{"KEY $41 SETUP", "KEY $0D UPPER ", "KEY $41 down", "KEY $41 press", "KEY $41 UP"},
       {"1:9 key-word-inside", "2:9 key-word-inside"},
       "did you mean 'KEY $41 UP'?"},
      {{"DELAY \t500", "LOOP \t 2 ", "ENDLOOP", "DELAY 500 ms", "MOUSE GO 1 then click"},
       {"1:7 invalid-integer", "2:6 invalid-integer", "4:7 invalid-integer", "5:10 invalid-integer"},
       "delete the tab before '500': did you mean 'DELAY 500'?"},
      {{"KEY #41 PRESS", "KEY #00 PRESS", "KEY 65 PRESS", "KEY #01 PRESS"},
       {"1:5 no-such-key-slot", "2:5 no-such-key-slot"},
       "did you mean 'KEY $41 PRESS'?"},
      {{"LONG now", "GETCOLOR nwo 1", "GETCOLOR NOW 1", "GETCOLOR no 1"},
       {"2:10 undeclared-variable", "3:10 variable-name-mismatch", "4:10 undeclared-variable"},
       "did you mean 'GETCOLOR now 1'?"},
      {{"LONG a", "LONG b", "REPEAT", "GETCOLOR a 1", "UNTIL a"}, {"5:8 missing-second-name"}, "did you mean 'UNTIL a b'?"},
      {{"LONG a ", "GETCOLOR a 1", "LONG b", "REPEAT", "GETCOLOR b 1", "UNTIL b b "},
       {"2:10 variable-name-mismatch", "6:9 variable-name-mismatch"},
       "delete the blank at the end of line 1, so that it reads 'LONG a'"},
      {{"GETCOLOR b 1", "REPEAT", "UNTIL c b"},
       {"1:10 undeclared-variable", "3:1 endless-repeat", "3:7 undeclared-variable", "3:9 undeclared-variable"}},
      {{"LONG a", "GETCOLOR A 1", "LONG b ", "GETCOLOR b 1"},
       {"2:10 variable-name-mismatch", "4:10 variable-name-mismatch"},
       "did you mean 'GETCOLOR a 1'?"},
      {{"LOOP 0", "BEEP", "ENDLOOP", "LOOP -5", "ENDLOOP"},
       {"1:6 loop-count-not-positive", "4:6 loop-count-not-positive"}},
      {{"LOOP 3", "REPEAT", "BEEP"}, {"1:1 unclosed-block", "2:1 unclosed-block", "4:1 endscript-in-block"},
       "close it with ENDLOOP above the ENDSCRIPT on line 4"},
      // The traps a newcomer walks into, each with the line that does what was meant.
      {{"KEY 41 PRESS", "KEY 59", "KEY 59 UP", "KEY 65 PRESS", "KEY 30 PRESS"},
       {"1:5 decimal-key-code", "2:5 decimal-key-code", "3:5 decimal-key-code", "5:5 invalid-slot-value"},
       "did you mean 'KEY $41 PRESS'?"},
      {{"KEY $11+$41 PRESS", "  key #01+$41 PRESS"}, {"1:8 key-combination", "2:10 key-combination"},
       "hold the first key down, press the other, let the first go, one line each: 'KEY $11', 'KEY $41 PRESS', "
       "'KEY $11 UP'"},
      {{"DELAY -500", "DELAY 0", "delay  -1"}, {"1:7 negative-delay", "3:7 negative-delay"}, "did you mean 'DELAY 500'?"},
      {{"LOOP 3", "  BEEP", "  ENDSCRIPT", "ENDLOOP"}, {"4:1 closed-after-endscript"},
       "move the ENDSCRIPT line below this one"},
      {{"MOUSE RIGHTCLICK", "MOUSE  LC", "MOUSE left-click", "MOUSE   GO 1", "MOUSE DOUBLE_CLICK"},
       {"1:8 unknown-mouse-action", "2:7 unknown-mouse-action", "3:8 unknown-mouse-action", "4:7 unknown-mouse-action",
        "5:7 unknown-mouse-action"},
       "did you mean 'MOUSE RC'?"},
      {{"LONG a", "REPEAT", "GETCOLOR a 1", "UNTIL a"}, {"4:8 missing-second-name"},
       "declare a second variable with 'LONG b' before the REPEAT, read it with GETCOLOR and write 'UNTIL a b'"},
      {{"LONG a", "LOOP 2", "REPEAT", "GETCOLOR a 1", "ENDLOOP", "UNTIL a a"}, {"5:1 crossed-blocks"}},
      {{"LONG a", "LONG b", "GETCOLOR a 1", "REPEAT", "UNTILNE a a", "REPEAT", "BEEP", "UNTIL a b"},
       {"5:1 endless-repeat", "8:1 endless-repeat"}},
      {{"KEY $10", "MOUSE RD", "KEY #01", "KEY 01 PRESS"}, {"1:1 held-at-end", "2:1 held-at-end"}},
      {{"MOUSE GO 0", "LONG a", "GETCOLOR a 21"}, {"1:10 slot-before-move", "3:12 slot-before-move"}},
      {{"MOUSE GO .2000.100", "MOUSE GO 2", "LONG a", "GETCOLOR a .-1.0"},
       {"1:10 off-screen", "2:10 off-screen", "4:12 off-screen"}},
      // Free text and sound lines: nothing to report.
      {{"look at the pixel", "Song of the day", "END", "loops are fun", "House rules", "Get color of the button",
        "end loop here", "LONG a", "LONG b", "REPEAT", "GETCOLOR b 1", "UNTILNE a b", "KEY $10", "KEY $10 UP",
        "MOUSE LD", "MOUSE LC", "MOUSE GO 1", "MOUSE GO 0", "; click OK", "# then wait", "Wait for the dialog to open",
        "Press Enter below", "; Mouse to the button", ";LOOP5", "Sleep well", "Hey you", "KEY 65 PRESS",
        "  Click the user field, type the name, tab to the password.", "Beep twice"},
       {}},
  };
  std::set<std::string> covered;
  for (const Row& row : rows) {
    std::vector<std::string> code = row.code;
    code.push_back("ENDSCRIPT");
    const std::vector<Diagnostic> diagnostics = CheckScript(TestDocument(code));
    EXPECT_EQ(Found(diagnostics), row.found) << code.front();
    if (!row.suggestion.empty() && !diagnostics.empty()) {
      EXPECT_EQ(diagnostics[0].suggestion, row.suggestion) << code.front();
    }
    for (const Diagnostic& d : diagnostics) covered.insert(std::string(RuleOf(d.rule).name));
    ExpectEachFixRemovesItsFinding(code, diagnostics);
  }
  EXPECT_EQ(Found(CheckScript(TestDocument({"BEEP", "BEEP"}))), std::vector<std::string>{"2:1 no-endscript"});
  covered.insert("no-endscript");
  covered.insert("unreadable-file");  // a load failure: checked through dxsim
  for (const RuleRow& rule : kRules) EXPECT_EQ(covered.count(std::string(rule.name)), 1u) << rule.name;
}

// A line that is read as something else says what the run does with it.
TEST(CheckScript, MessagesSayWhatTheRunDoesWithTheLine) {
  struct Row {
    std::string line;
    std::string message;
  } rows[] = {
      {"Keyboard: press Enter below", "starts with 'Keyboard', so it is read as a KEY command: the run stops on it"},
      {"Repeat until the window opens", "starts with 'Repeat', so it is read as a REPEAT command: it opens a REPEAT"},
      {"Beep when it is done", "so it is read as a BEEP command: it beeps"},
      {"MOUSE CLICK", "the run reads 'C' as the mouse action, which is none of G (GO), L, R and M, so the line sends"},
      {"KEY $41PRESS", "the run skips the 'P' right behind the key code and reads 'RESS', so the key only goes down"},
      {"KEY #41", "'#41' names no key slot (there are 40), so the run sends 41 itself as the key code, that is $29"},
      {"WAIT 500", "'WAIT' is no keyword, so the line does nothing; a wait is DELAY"},
  };
  for (const Row& row : rows) {
    const std::vector<Diagnostic> found = CheckScript(TestDocument({row.line, "ENDSCRIPT"}));
    const bool said = std::any_of(found.begin(), found.end(),
                                  [&](const Diagnostic& d) { return d.message.find(row.message) != std::string::npos; });
    EXPECT_TRUE(said) << row.line;
  }
}

TEST(CheckScript, MessagesOfFailingLinesAreTheRunsOwn) {
  struct Row {
    std::string line;
    std::string message;
  } rows[] = {
      {"DELAY x", "'x' is not a valid integer value."},         {"MOUSE GO 3", "'' is not a valid integer value."},
      {"KEY #03", "'$zz' is not a valid integer value."},       {"MOUSE", "'MOUSE' is not a complete MOUSE command."},
      {"endloop now", "'endloop now' has no open LOOP block."},
  };
  for (const Row& row : rows) {
    const std::vector<Diagnostic> diagnostics = CheckScript(TestDocument({row.line, "ENDSCRIPT"}));
    ASSERT_EQ(diagnostics.size(), 1u) << row.line;
    EXPECT_EQ(diagnostics[0].message, row.message);
    EXPECT_EQ(diagnostics[0].severity(), Severity::Error);
  }
}

// Locations stay code lines; a message that names another line names it
// as the host counts.
TEST(CheckScript, MessagesNameLinesAsTheHostCountsThem) {
  CheckOptions options;
  options.first_line = 15;
  const std::vector<Diagnostic> found =
      CheckScript(TestDocument({"LONG a", "LOOP 2", "REPEAT", "GETCOLOR a 1", "ENDLOOP", "UNTIL a a", "ENDSCRIPT"}),
                  options);
  ASSERT_EQ(Found(found), std::vector<std::string>{"5:1 crossed-blocks"});
  EXPECT_NE(found[0].message.find("LOOP of line 16 while the REPEAT of line 17"), std::string::npos)
      << found[0].message;
}

std::string FileText(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// A suggestion followed literally does what was meant: the line it gives
// has no finding of that rule, and the run sends what the mistaken line
// was meant to send.
TEST(CheckScript, EachFixDoesWhatWasMeant) {
  struct Row {
    std::string mistaken;
    std::string fixed;
    std::string run;  // in the manual's words, the clock 1 ms a read
  } rows[] = {
      {"KEY 41 PRESS", "KEY $41 PRESS", "key 41 down; key 41 up; end"},
      {"KEY 59 UP", "KEY $59 UP", "key 59 up; end"},
      {"MOUSE RIGHTCLICK", "MOUSE RC", "right down; right up; end"},
      {"MOUSE  LC", "MOUSE LC", "left down; left up; end"},
      {"  mouse left-click", "  MOUSE LC", "left down; left up; end"},
      {"MOUSE   GO 1", "MOUSE GO 1", "move 100,200; end"},
      {"DELAY -500", "DELAY 500", "wait 500; end"},
      {"LOOP5", "LOOP 5", "end"},
      {"KEY #41 PRESS", "KEY $41 PRESS", "key 41 down; key 41 up; end"},
  };
  for (const Row& row : rows) {
    const std::vector<Diagnostic> found = CheckScript(TestDocument({row.mistaken, "ENDSCRIPT"}));
    ASSERT_FALSE(found.empty()) << row.mistaken;
    EXPECT_EQ(found[0].fix.text, row.fixed) << row.mistaken;
    const std::vector<Diagnostic> after = CheckScript(TestDocument({found[0].fix.text, "ENDSCRIPT"}));
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), [&](const Diagnostic& d) { return d.rule == found[0].rule; }))
        << row.fixed;
    SimLog log;
    SimMainWindow window(log);
    SimPlatform platform(log);
    platform.SetClock(1000, 1);
    window.SetLocation(1, "100", "200");
    window.SetCodeLines({found[0].fix.text, "ENDSCRIPT"});
    StartRun(window, platform, RunOptions{100});
    EXPECT_EQ(RunInWords(log.Events(), "end", 1024, 768), row.run) << row.fixed;
  }
}

// The read-me's table and the manual's list, where a rule's row stands
// under the heading of its severity.
TEST(CheckScript, EveryRuleIsDocumented) {
  const std::string readme = FileText(DX_SOURCE_DIR "/tools/dxsim/README.md");
  const std::string manual = FileText(DX_SOURCE_DIR "/docs/dorvaxil.txt");
  const std::size_t errors = manual.find("\r\n  Errors:");
  const std::size_t warnings = manual.find("\r\n  Warnings:", errors);
  const std::size_t notes = manual.find("\r\n  Note:", warnings);
  ASSERT_NE(notes, std::string::npos) << "the manual's list of rules is no longer found";
  const std::size_t headings[] = {errors, warnings, notes, manual.find("\r\n\r\n", notes)};
  for (const RuleRow& rule : kRules) {
    const std::string row = "| `" + std::string(rule.name) + "` | " + std::string(SeverityName(rule.severity)) + " |";
    EXPECT_NE(readme.find(row), std::string::npos) << row;
    const std::size_t at = manual.find("\r\n  " + std::string(rule.name) + " ", errors);
    const auto severity = static_cast<std::size_t>(rule.severity);
    EXPECT_TRUE(at > headings[severity] && at < headings[severity + 1]) << rule.name << " in the manual";
  }
}

}  // namespace
}  // namespace dx::check
