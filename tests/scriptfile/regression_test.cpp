// Every input the fuzzer ever broke the reader with: each must load or fail
// with a message, and what loads must survive a save and a load unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/script_error.h"
#include "sim/memory_file_system.h"
#include "scriptfile/script_file.h"
#include "tests/scriptfile/file_text.h"

namespace dx {
namespace {

TEST(ReaderRegressions, EverySavedInputLoadsOrFailsCleanly) {
  for (const auto& entry : std::filesystem::directory_iterator(DX_SCRIPTFILE_REGRESSIONS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    MemoryFileSystem files;
    files.files["in.dxs"] = bytes.str();
    ScriptDocument loaded;
    try {
      ReadScriptFile("in.dxs", loaded, files);
    } catch (const ScriptError&) {
      continue;
    }
    WriteScriptFile(loaded, "out.dxs", files);
    ScriptDocument reloaded;
    ReadScriptFile("out.dxs", reloaded, files);
    EXPECT_EQ(test::Describe(reloaded), test::Describe(loaded)) << entry.path();
  }
}

}  // namespace
}  // namespace dx
