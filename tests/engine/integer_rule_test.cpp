#include <gtest/gtest.h>

#include <optional>

#include "base/integer_rule.h"
#include "base/script_error.h"

namespace dx {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<int32_t> value;
};

TEST(IntegerRule, AcceptsAndRefusesLikeTheScriptsExpect) {
  const IntegerCase cases[] = {
      {"12", 12},          {"   12", 12},       {"-12", -12},        {"+12", 12},
      {"$ff", 255},        {"0x1F", 31},        {"x1f", 31},         {"X1F", 31},
      {"0X1f", 31},        {"$FFFFFFFF", -1},   {"$000000010", 16},  {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN}, {"007", 7},   {"", std::nullopt},  {"12 ", std::nullopt},
      {"\t12", std::nullopt}, {"-$10", std::nullopt}, {"$", std::nullopt}, {"1e3", std::nullopt},
      {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"$100000000", std::nullopt},
      {"+", std::nullopt}, {"0x", std::nullopt}, {" ", std::nullopt}, {"- 1", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TryStrToInt(c.text), c.value) << "text '" << c.text << "'";
  }
}

TEST(IntegerRule, FailureNamesTheWholeText) {
  try {
    StrToInt("12 ");
    FAIL() << "no failure";
  } catch (const ScriptError& e) {
    EXPECT_EQ(FullStopMessage(e.what()), "'12 ' is not a valid integer value.");
  }
}

}  // namespace
}  // namespace dx
