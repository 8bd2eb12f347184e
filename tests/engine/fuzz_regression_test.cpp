// Every input kept from fuzzing runs to its end without a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/bounded_run.h"

namespace dx {
namespace {

TEST(FuzzRegressions, KeptInputsRunToTheirEnd) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(DX_REGRESSIONS_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_NO_THROW(BoundedRunOfText(bytes.str())) << entry.path();
    ++count;
  }
  EXPECT_GT(count, 0);
}

TEST(FuzzRegressions, BoundedRunReportsFailures) {
  EXPECT_EQ(BoundedRunOfText("LOOP x"), "'x' is not a valid integer value");
  EXPECT_EQ(BoundedRunOfText("KEY #03"), "'$zz' is not a valid integer value");
  EXPECT_EQ(BoundedRunOfText("LONG a\nREPEAT\nUNTILNE a a"), "");
}

}  // namespace
}  // namespace dx
