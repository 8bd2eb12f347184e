#include <gtest/gtest.h>

#include "base/script_error.h"
#include "sim/memory_file_system.h"
#include "scriptfile/script_file.h"
#include "tests/scriptfile/file_text.h"

namespace dx {
namespace {

using test::CrLfLines;

std::string Written(const ScriptDocument& document) {
  MemoryFileSystem files;
  WriteScriptFile(document, "out.dxs", files);
  return files.files.at("out.dxs");
}

TEST(WriteScriptFile, ProducesTheWorkedExamplesByteForByte) {
  EXPECT_EQ(Written(test::WorkedExample()), test::WorkedExampleFile());
  EXPECT_EQ(Written(test::WorkedExample()).size(), 196u);

  ScriptDocument empty;
  empty.code = {"endscript"};
  std::string bytes = Written(empty);
  EXPECT_EQ(bytes, CrLfLines({"Dorvaxil script", "version: 1.0", "", "notes: $0000", "", "keys", "endkeys", "",
                              "locations", "endlocations", "", "code: $0001", "endscript"}));
  EXPECT_EQ(bytes.size(), 117u);
}

TEST(WriteScriptFile, FormatsSlotsAndCoordinates) {
  struct Case { const char* what; void (*fill)(ScriptDocument&); std::string key_lines, location_lines; };
  const Case cases[] = {
      {"nothing filled: notes: $0000 and code: $0000 close their sections", [](ScriptDocument&) {}, "", ""},
      {"slot numbers keep their leading zero",
       [](ScriptDocument& d) { d.keys[39] = "any text"; d.keys[8] = "41"; }, CrLfLines({"09: $41", "40: $any text"}),
       ""},
      {"coordinates at both ends of three digits", [](ScriptDocument& d) { d.locations[0] = {"0", "4095"}; }, "",
       CrLfLines({"01: $000,$FFF"})},
      {"any text the integer rule takes", [](ScriptDocument& d) { d.locations[19] = {"$1F", " +5"}; }, "",
       CrLfLines({"20: $01F,$005"})},
      {"an empty x leaves the slot out", [](ScriptDocument& d) { d.locations[2] = {"", "7"}; }, "", ""},
  };
  for (const Case& c : cases) {
    ScriptDocument document;
    c.fill(document);
    EXPECT_EQ(Written(document), test::FileWithLists(c.key_lines, c.location_lines)) << c.what;
  }
}

TEST(WriteScriptFile, FailsBeforeTouchingTheFile) {
  struct Case { const char* x; const char* y; uint32_t io_error; const char* message; };
  const Case cases[] = {
      {"100", "", 0, "'' is not a valid integer value"},
      {"12a", "5", 0, "'12a' is not a valid integer value"},
      {"1", "5 ", 0, "'5 ' is not a valid integer value"},
      {"1", "5", 112, "I/O error 112"},
      {"1", "5", 5, "File access denied"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    files.files["s.dxs"] = "previous good file";
    if (c.io_error) files.replace_errors["s.dxs"] = c.io_error;
    ScriptDocument document = test::WorkedExample();
    document.locations[10] = {c.x, c.y};
    try {
      WriteScriptFile(document, "s.dxs", files);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const ScriptError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
    EXPECT_EQ(files.files["s.dxs"], "previous good file") << c.message;
    EXPECT_EQ(files.replace_calls, c.io_error ? 1 : 0) << c.message;
  }
}

}  // namespace
}  // namespace dx
