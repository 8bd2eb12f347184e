#include "base/format_hex.h"

#include <gtest/gtest.h>

#include "base/file_system.h"

namespace dx {
namespace {

TEST(FormatHex, PadsUpperCasesAndWrapsNegativesToThirtyTwoBits) {
  struct Case { int64_t value; int digits; const char* text; };
  const Case cases[] = {
      {0, 3, "000"},        {4095, 3, "FFF"},         {13, 2, "0D"},
      {255, 2, "FF"},       {256, 2, "100"},          {0x1A2B, 8, "00001A2B"},
      {65536, 4, "10000"},  {-1, 2, "FFFFFFFF"},      {-5, 3, "FFFFFFFB"},
      {INT32_MIN, 8, "80000000"}, {0x123456789, 4, "123456789"}, {7, 0, "7"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatHex(c.value, c.digits), c.text) << c.value;
}

TEST(IoErrorMessage, NamesTheKnownCodesAndNumbersTheRest) {
  struct Case { uint32_t code; const char* message; };
  const Case cases[] = {{2, "File not found"}, {3, "Invalid filename"}, {4, "Too many open files"},
                        {5, "File access denied"}, {32, "I/O error 32"}, {112, "I/O error 112"}};
  for (const Case& c : cases) EXPECT_EQ(IoErrorMessage(c.code), c.message);
}

}  // namespace
}  // namespace dx
