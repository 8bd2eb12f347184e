#include <gtest/gtest.h>

#include "base/integer_rule.h"
#include "base/script_error.h"
#include "sim/memory_file_system.h"
#include "scriptfile/script_file.h"
#include "tests/scriptfile/file_text.h"

namespace dx {
namespace {

// Loads one location line into slot 1 of an empty document; returns
// "x,y" or the error message.
std::string LoadLocation(const std::string& line) {
  MemoryFileSystem files;
  files.files["in.dxs"] = test::FileWithLists("", test::CrLfLines({line}));
  ScriptDocument document;
  try {
    ReadScriptFile("in.dxs", document, files);
  } catch (const ScriptError& error) {
    return error.what();
  }
  return document.locations[0].x + "," + document.locations[0].y;
}

bool ThreeColumnReadingAccepts(const std::string& line) {
  return TryStrToInt(line.substr(4, 4)) && TryStrToInt(line.substr(std::min<std::size_t>(9, line.size()), 4));
}

TEST(WideLocations, EveryCoordinateSurvivesASaveAndALoad) {
  struct Case { int32_t x, y; const char* line; };
  const Case cases[] = {
      {100, 200, "01: $064,$0C8"},
      {0, 4095, "01: $000,$FFF"},
      {-5, 4096, "01: $-5,$+1000"},
      {100, -1, "01: $064,$-1"},
      {4096, 4095, "01: $+1000,$FFF"},
      {INT32_MIN, INT32_MAX, "01: $-80000000,$+7FFFFFFF"},
      {-0xEDCBB, 0x1231234, "01: $-EDCBB,$+1231234"},
  };
  for (const Case& c : cases) {
    ScriptDocument document;
    document.locations[0] = {std::to_string(c.x), std::to_string(c.y)};
    MemoryFileSystem files;
    WriteScriptFile(document, "out.dxs", files);
    const std::string& bytes = files.files["out.dxs"];
    EXPECT_EQ(bytes, test::FileWithLists("", test::CrLfLines({c.line}))) << c.line;
    bool narrow = c.x >= 0 && c.x <= 4095 && c.y >= 0 && c.y <= 4095;
    EXPECT_EQ(ThreeColumnReadingAccepts(c.line), narrow) << c.line;
    EXPECT_EQ(LoadLocation(c.line), std::to_string(c.x) + "," + std::to_string(c.y));
  }
}

TEST(WideLocations, ThreeColumnFilesReadAsBeforeAndOldLongFieldsRecover) {
  struct Case { const char* line; const char* loaded; };
  const Case cases[] = {
      // Accepted by the three-column reading, so read by it, junk and all.
      {"01: $064,$0C8,$+5", "100,200"},
      {"01: $064,$1000", "100,256"},
      {"01: $12341234,$064", "291,1234"},
      {"01: $-5,$0C8 and a $-5 y", "'$-5,' is not a valid integer value"},
      // Rejected by it, and whole long fields as older saves wrote them.
      {"01: $1000,$0C8", "4096,200"},
      {"01: $FFFFFFFB,$064", "-5,100"},
      // Neither form: the three-column error.
      {"01: $-,$5", "'$-,$' is not a valid integer value"},
      {"01: $+80000000,$0", "'$+80' is not a valid integer value"},
      {"01: $064,$-80000001", "'$-80' is not a valid integer value"},
      {"01: $-5;$1", "'$-5;' is not a valid integer value"},
      {"01: $-5,$1 ", "'$-5,' is not a valid integer value"},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadLocation(c.line), c.loaded) << c.line;
}

}  // namespace
}  // namespace dx
