#include <gtest/gtest.h>

#include <string>

#include "engine/keyword_rule.h"
#include "engine/run_script.h"
#include "engine/script_error.h"

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
  ASSERT_EQ(kCommandHandlers.size(), std::size(expected));
  for (std::size_t i = 0; i < kCommandHandlers.size(); ++i) EXPECT_EQ(kCommandHandlers[i].keyword, expected[i]);
}

TEST(KeywordRule, NoLineMatchesTwoKeywords) {
  for (const auto& a : kCommandHandlers) {
    for (const auto& b : kCommandHandlers) {
      if (&a == &b) continue;
      EXPECT_FALSE(MatchKeyword(a.keyword, b.keyword)) << a.keyword << " / " << b.keyword;
    }
  }
}

}  // namespace
}  // namespace dx
