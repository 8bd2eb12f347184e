// The plain script: what it reads to, where it fails, and that every .dxs
// file the program writes goes through it and back byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scriptfile/dxs_check.h"
#include "scriptfile/plain_script.h"
#include "scriptfile/script_file.h"
#include "sim/memory_file_system.h"
#include "tests/scriptfile/file_text.h"

namespace dx {
namespace {

std::string DxsBytes(const ScriptDocument& document) {
  MemoryFileSystem files;
  WriteScriptFile(document, "out.dxs", files);
  return files.files["out.dxs"];
}

std::string ReadBack(const std::string& bytes, ScriptDocument& document) {
  const PlainRead read = ReadPlainScript(bytes, document);
  if (!read.problem) return "";
  return std::to_string(read.problem->line) + ": " + read.problem->message;
}

TEST(PlainScript, ReadsCodeNotesAndSlots) {
  struct Row {
    const char* what;
    std::string bytes;
    void (*expect)(ScriptDocument&);  // applied to BeforeLoad()
    std::vector<int32_t> code_lines = {};
  } rows[] = {
      {"the quick start, LF", "MOUSE GO .400.300\nBEEP\nDELAY 1000\nENDSCRIPT\n",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code = {"MOUSE GO .400.300", "BEEP", "DELAY 1000", "ENDSCRIPT"};
       },
       {1, 2, 3, 4}},
      {"CR LF, a byte-order mark, no line end at the end", "\xEF\xBB\xBF" "BEEP\r\n; a comment\r\nENDSCRIPT",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code = {"BEEP", "; a comment", "ENDSCRIPT"};
       }},
      {"slot lines anywhere, in any case and spacing; the code between them keeps its lines",
       ";@ note: first\nMOUSE GO 1\n;@ key 5: 41\n;@LOCATION  2 :  -5, 5000\n;@ note:\nMOUSE LC\n",
       [](ScriptDocument& d) {
         d.notes = {"first", ""};
         d.code = {"MOUSE GO 1", "MOUSE LC"};
         d.keys[4] = "41";
         d.locations[1] = {"-5", "5000"};
       },
       {2, 6}},
      {"an indented ';@' line and one behind text are code; ';@ code:' is code",
       "  ;@ key 1: 0D\nBEEP ;@ key 2: 0D\n;@ code: ;@ key 3: 0D\n;@ code:: a\\nb\\\\\n",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code = {"  ;@ key 1: 0D", "BEEP ;@ key 2: 0D", ";@ key 3: 0D", "a\nb\\"};
       },
       {1, 2, 3, 4}},
      {"location numbers by the integer rule, stored as decimal", ";@ location 20: $64,$C8\n",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code.clear();
         d.locations[19] = {"100", "200"};
       }},
      {"an empty file is an empty script", "",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code.clear();
       }},
  };
  for (const Row& row : rows) {
    ScriptDocument loaded = test::BeforeLoad();
    const PlainRead read = ReadPlainScript(row.bytes, loaded);
    EXPECT_FALSE(read.problem) << row.what << ": " << (read.problem ? read.problem->message : "");
    ScriptDocument expected = test::BeforeLoad();
    row.expect(expected);
    EXPECT_EQ(test::Describe(loaded), test::Describe(expected)) << row.what;
    if (!row.code_lines.empty()) {
      EXPECT_EQ(read.lines.code_file_lines, row.code_lines) << row.what;
    }
  }
}

TEST(PlainScript, RefusesASlotLineItCannotReadAtItsLine) {
  struct Row {
    std::string bytes;
    std::string problem;
  } rows[] = {
      {"BEEP\n;@ locaton 1: 4,5\n",
       "2: a line starting with ';@' is one of ';@ note: TEXT', ';@ key N: CODE', ';@ location N: X,Y' or "
       "';@ code: LINE', found ';@ locaton 1: 4,5'"},
      {";@ key 41: 0D\n", "1: there is no key slot '41': they are 1 to 40"},
      {";@ location 0: 1,2\n", "1: there is no location slot '0': they are 1 to 20"},
      {";@ key: 0D\n", "1: there is no key slot '': they are 1 to 40"},
      {";@ location 1: 100\n",
       "1: a location is two numbers, x and y, such as ';@ location 1: 100,200', found '100'"},
      {";@ location 1: 1OO,200\r\n",
       "1: a location is two numbers, x and y, such as ';@ location 1: 100,200', found '1OO,200'"},
      {";@ key 5 41\n", "1: a line starting with ';@' is one of ';@ note: TEXT', ';@ key N: CODE', ';@ location N: "
                        "X,Y' or ';@ code: LINE', found ';@ key 5 41'"},
      {";@ key 5: 41\nBEEP\n;@ key 05: 42\n", "3: key slot 5 is set on line 1 already"},
      {";@ note:: a\\tb\n", "1: in a ';@ ...::' line a backslash is followed by '\\' or 'n'"},
      {";@ note:: a\\rb\n", "1: in a ';@ ...::' line a backslash is followed by '\\' or 'n'"},
      {"BE\rEP\n", "1: this line holds a CR that ends no line: no script can hold one inside a line"},
      {"BEEP\n;@ key 1: 0D\x1A\n",
       "2: this line holds byte 26 (Ctrl+Z), which ends the readable text of a .dxs file: no script can hold it"},
  };
  for (const Row& row : rows) {
    ScriptDocument loaded = test::BeforeLoad();
    EXPECT_EQ(ReadBack(row.bytes, loaded), row.problem) << row.bytes;
    EXPECT_EQ(test::Describe(loaded), test::Describe(test::BeforeLoad())) << "unchanged: " << row.bytes;
  }
}

TEST(PlainScript, TellsAPlainScriptFromADxsFile) {
  EXPECT_TRUE(IsDxsText(test::WorkedExampleFile()));
  EXPECT_TRUE(IsDxsText("Dorvaxil script\nversion: 1.0\n"));
  EXPECT_TRUE(IsDxsText("  dorvaxil SCRIPT\r\n"));  // an indented copy: the strict reading says what is wrong
  EXPECT_TRUE(IsDxsText("\xEF\xBB\xBF" "Dorvaxil script\r\n"));
  EXPECT_FALSE(IsDxsText("MOUSE GO 1\r\n"));
  EXPECT_FALSE(IsDxsText(""));  // an empty script, as the program saves an empty window as plain text
  EXPECT_TRUE(IsDxsText("any\r\nheader\r\n\r\nnotes: $0000\r\n"));  // laid out as one: read as one
  EXPECT_TRUE(IsDxsText("a\nb\nc\nnotes: $0000\n"));
  EXPECT_FALSE(IsDxsText("; Dorvaxil script\n"));
}

// Documents whose lines would read as something else when written bare.
std::vector<ScriptDocument> AwkwardDocuments() {
  std::vector<ScriptDocument> documents;
  ScriptDocument d;
  d.code = {"Dorvaxil script", "BEEP"};
  documents.push_back(d);
  d = {};
  d.code = {"\xEF\xBB\xBF" "BEEP", ";@ key 1: 0D", "a\nb", "back\\slash", "", "  ", ""};
  d.notes = {"", " leading blank", "tail blank ", "x\ny", ":", ":: not escaped"};
  d.keys[0] = " 41";
  d.keys[39] = "a\\b\nc";
  d.locations[0] = {"-5", "5000"};
  d.locations[19] = {"0", "0"};
  documents.push_back(d);
  d = {};
  d.code = {"a", "b", "", "notes: $0000", "BEEP"};  // laid out as a .dxs file would be
  documents.push_back(d);
  d = {};
  d.notes = {"only a note"};
  documents.push_back(d);
  documents.emplace_back();
  return documents;
}

TEST(PlainScript, EveryDocumentReadsBackAsItWasWritten) {
  for (const ScriptDocument& document : AwkwardDocuments()) {
    ScriptDocument loaded;
    const std::string plain = PlainScriptText(document);
    EXPECT_FALSE(IsDxsText(plain)) << plain;
    EXPECT_EQ(ReadBack(plain, loaded), "") << plain;
    EXPECT_EQ(test::Describe(loaded), test::Describe(document)) << plain;
    EXPECT_EQ(DxsBytes(loaded), DxsBytes(document)) << plain;
  }
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The sample file of the manual's file chapter, unindented, with CR LF.
std::string ManualSampleFile() {
  std::istringstream manual(FileBytes(std::filesystem::path(DX_SOURCE_DIR) / "docs/dorvaxil.txt"));
  std::string bytes;
  bool inside = false;
  for (std::string line; std::getline(manual, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "  Dorvaxil script") inside = true;
    if (!inside) continue;
    if (line.empty() && bytes.find("code: ") != std::string::npos) break;
    bytes += (line.size() > 2 ? line.substr(2) : std::string()) + "\r\n";
  }
  return bytes;
}

// Every .dxs file of the sources and the manual's sample: the strict
// reading passes, and through a plain script and back it is the same file.
TEST(PlainScript, EveryDxsFileGoesThroughPlainAndBackByteForByte) {
  std::vector<std::pair<std::string, std::string>> files = {{"manual", ManualSampleFile()}};
  for (const char* folder : {"examples", "tests"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::filesystem::path(DX_SOURCE_DIR) / folder)) {
      if (entry.path().extension() == ".dxs") files.emplace_back(entry.path().string(), FileBytes(entry.path()));
    }
  }
  int canonical = 0;
  for (const auto& [name, bytes] : files) {
    MemoryFileSystem memory;
    memory.files["in.dxs"] = bytes;
    ScriptDocument document;
    if (TryReadScriptFile("in.dxs", document, memory).error) continue;  // broken on purpose
    if (DxsBytes(document) != bytes) continue;  // hand-made on purpose: no file the program writes
    ++canonical;
    EXPECT_FALSE(CheckDxsText(bytes)) << name << ": " << CheckDxsText(bytes)->message;
    ScriptDocument through_plain;
    EXPECT_EQ(ReadBack(PlainScriptText(document), through_plain), "") << name;
    EXPECT_EQ(DxsBytes(through_plain), bytes) << name;
  }
  EXPECT_GE(canonical, 16) << "the sample of the manual, the examples and the test scripts";
}

TEST(PlainScript, ACapturedSlotChangesOnlyItsLine) {
  struct Row {
    const char* what;
    std::string before;
    bool location;
    int slot;
    std::string after;
  } rows[] = {
      {"replaces the slot's line, keeps CR LF", ";@ key 5: 41\r\nBEEP\r\n", false, 5, ";@ key 5: 0D\r\nBEEP\r\n"},
      {"a new line goes before the next higher slot", ";@ location 1: 1,2\n;@ location 9: 1,2\nBEEP\n", true, 3,
       ";@ location 1: 1,2\n;@ location 3: 10,-20\n;@ location 9: 1,2\nBEEP\n"},
      {"behind the other slot lines", ";@ note: n\n;@ key 1: 0D\nBEEP\n", true, 3,
       ";@ note: n\n;@ key 1: 0D\n;@ location 3: 10,-20\nBEEP\n"},
      {"at the top of a script without any", "BEEP\r\nENDSCRIPT", false, 5, ";@ key 5: 0D\r\nBEEP\r\nENDSCRIPT"},
      {"behind a last line without its line end", "BEEP\n;@ key 1: 0D", false, 5,
       "BEEP\n;@ key 1: 0D\n;@ key 5: 0D\n"},
      {"into an empty file", "", true, 3, ";@ location 3: 10,-20\n"},
      {"a ';@ code:' line is code, not a slot line", ";@ code: x\nBEEP\n", false, 5, ";@ key 5: 0D\n;@ code: x\nBEEP\n"},
  };
  for (const Row& row : rows) {
    const std::string after =
        row.location ? WithLocationLine(row.before, row.slot, 10, -20) : WithKeyLine(row.before, row.slot, "0D");
    EXPECT_EQ(after, row.after) << row.what;
  }
}

}  // namespace
}  // namespace dx
