#include <gtest/gtest.h>

#include "base/script_error.h"
#include "sim/memory_file_system.h"
#include "scriptfile/dxs_check.h"
#include "scriptfile/script_file.h"
#include "tests/scriptfile/file_text.h"

namespace dx {
namespace {

using test::CrLfLines;
using test::FileWithLists;

// Loads `bytes` into BeforeLoad(); returns the error message, or "" on success.
std::string Load(const std::string& bytes, ScriptDocument& document) {
  MemoryFileSystem files;
  files.files["in.dxs"] = bytes;
  document = test::BeforeLoad();
  try {
    ReadScriptFile("in.dxs", document, files);
    return "";
  } catch (const ScriptError& error) {
    return error.what();
  }
}

std::string Header(const std::string& notes_count) {
  return CrLfLines({"any", "first three lines", "", "notes: " + notes_count});
}

std::string Repeated(const std::string& line, int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += line + "\r\n";
  return bytes;
}

struct ReadCase {
  const char* what;
  std::string bytes;
  std::string message;                 // "" when the load succeeds
  void (*expect)(ScriptDocument&);     // applied to BeforeLoad()
};

void CheckReads(const std::vector<ReadCase>& cases) {
  for (const ReadCase& c : cases) {
    ScriptDocument loaded;
    EXPECT_EQ(Load(c.bytes, loaded), c.message) << c.what;
    ScriptDocument expected = test::BeforeLoad();
    c.expect(expected);
    EXPECT_EQ(test::Describe(loaded), test::Describe(expected)) << c.what;
  }
}

TEST(ReadScriptFile, LoadsWhatTheFileListsAndKeepsOtherSlots) {
  CheckReads({
      {"the worked example", test::WorkedExampleFile(), "",
       [](ScriptDocument& d) {
         ScriptDocument example = test::WorkedExample();
         d.notes = example.notes;
         d.code = example.code;
         d.keys[0] = "0D";
         d.keys[2] = "41";
         d.locations[0] = {"100", "200"};
         d.locations[1] = {"1023", "767"};
       }},
      {"decimal and wide counts, section closers inside notes",
       Header("3") + CrLfLines({"endkeys", "endlocations", "c", "", "keys", "endkeys", "", "locations",
                                "endlocations", "", "code: $00010"}) + Repeated("x", 16),
       "",
       [](ScriptDocument& d) {
         d.notes = {"endkeys", "endlocations", "c"};
         d.code.assign(16, "x");
       }},
      {"later lines win, any order, out-of-range slots ignored whatever follows",
       FileWithLists(CrLfLines({"07: $first", "02: $B", "07: $second", "00: junk", "41", "99: $x", "05: $"}),
                     CrLfLines({"20: $001,$002", "00: junk", "21", "20: $00A,$00B"})),
       "",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code.clear();
         d.keys[6] = "second";
         d.keys[1] = "B";
         d.keys[4] = "";
         d.locations[19] = {"10", "11"};
       }},
      {"columns 3, 4, 9 and beyond 13 are never looked at",
       FileWithLists("", CrLfLines({"01xx$064;$0C8 and more", "02: $01F, $05"})), "",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code.clear();
         d.locations[0] = {"100", "200"};
         d.locations[1] = {"31", "5"};
       }},
      {"byte 26 ends the text; lone LF is a character; long lines whole",
       FileWithLists("", "", "$0004") + "be\nep\r\n" + std::string(300, 'L') + "\r\nend\x1Ascript\r\nlost\r\n", "",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code = {"be\nep", std::string(300, 'L'), "end", ""};
       }},
      {"a negative count reads no line; no line ending at the end of the file",
       Header("$FFFFFFFF") + CrLfLines({"", "keys", "endkeys", "", "locations", "endlocations", ""}) +
           "code: $0001\r\nlast",
       "",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code = {"last"};
       }},
      {"a file without any CR ends its lines with LF",
       "a\nb\nc\nnotes: $0001\nn\n\nkeys\n01: $0D\nendkeys\n\nlocations\nendlocations\n\ncode: $0001\nBEEP\n", "",
       [](ScriptDocument& d) {
         d.notes = {"n"};
         d.keys[0] = "0D";
         d.code = {"BEEP"};
       }},
      {"an empty file is an empty plain script", "", "",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code.clear();
       }},
      {"a count far beyond a short file stops padding after 65535 empty lines",
       FileWithLists("", "", "$7FFFFFFF") + "only\r\n", "",
       [](ScriptDocument& d) {
         d.notes.clear();
         d.code.assign(1 + 0xFFFF, "");
         d.code[0] = "only";
       }},
  });
}

TEST(ReadScriptFile, FailsWithTheMessageAndKeepsEarlierChanges) {
  auto nothing = [](ScriptDocument&) {};
  auto notes_cleared = [](ScriptDocument& d) { d.notes.clear(); };
  CheckReads({
      {"notes count does not convert", Header("$00G1"), "'$00G1' is not a valid integer value", nothing},
      {"short notes-count line", CrLfLines({"", "", "", "notes:"}), "'' is not a valid integer value", nothing},
      {"key list without its closer", Header("$0000") + CrLfLines({"", "keys", "01: $0D"}),
       "'' is not a valid integer value", [](ScriptDocument& d) { d.notes.clear(); d.keys[0] = "0D"; }},
      {"one-digit slot number", FileWithLists(CrLfLines({"9: $41"}), ""), "'9:' is not a valid integer value",
       notes_cleared},
      {"closer with a trailing blank", Header("$0000") + CrLfLines({"", "keys", "endkeys ", "endkeys"}),
       "'en' is not a valid integer value", notes_cleared},
      {"empty line in the key list", Header("$0000") + CrLfLines({"", "keys", ""}), "'' is not a valid integer value",
       notes_cleared},
      {"more notes than the file holds", Header("$0003") + CrLfLines({"a", "b"}), "'' is not a valid integer value",
       [](ScriptDocument& d) { d.notes = {"a", "b", ""}; }},
      {"y does not convert: the new x stays", FileWithLists("", CrLfLines({"02: $064,$0CX"})),
       "'$0CX' is not a valid integer value", [](ScriptDocument& d) { d.notes.clear(); d.locations[1].x = "100"; }},
      {"x does not convert", FileWithLists("", CrLfLines({"02: $06G,$0C8"})), "'$06G' is not a valid integer value",
       notes_cleared},
      {"a short location line takes what is there", FileWithLists("", CrLfLines({"03: $06"})),
       "'' is not a valid integer value", [](ScriptDocument& d) { d.notes.clear(); d.locations[2].x = "6"; }},
      {"a location line of the number alone", FileWithLists("", CrLfLines({"03"})),
       "'' is not a valid integer value", notes_cleared},
      {"code count does not convert: code untouched",
       FileWithLists(CrLfLines({"01: $0D"}), CrLfLines({"01: $064,$0C8"}), "0002x"),
       "'0002x' is not a valid integer value",
       [](ScriptDocument& d) { d.notes.clear(); d.keys[0] = "0D"; d.locations[0] = {"100", "200"}; }},
  });
}

TEST(ReadScriptFile, TellsTheFileLineOfTheFirstCodeLine) {
  struct Case { const char* what; std::string bytes; int32_t first_code_line; };
  const Case cases[] = {
      {"the worked example", test::WorkedExampleFile(), 19},
      {"notes and list lines move the code down",
       Header("$0002") + CrLfLines({"a", "b", "", "keys", "01: $0D", "endkeys", "", "locations", "endlocations", "",
                                    "code: $0001", "beep"}),
       16},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    files.files["in.dxs"] = c.bytes;
    ScriptDocument document;
    EXPECT_EQ(ReadScriptFile("in.dxs", document, files).first_code_line, c.first_code_line) << c.what;
  }
}

TEST(ReadScriptFile, ReportsTheFileSystemsError) {
  MemoryFileSystem files;
  files.files["locked.dxs"] = test::WorkedExampleFile();
  files.read_errors["locked.dxs"] = 32;
  struct Case { const char* path; const char* message; };
  const Case cases[] = {{"missing.dxs", "File not found"}, {"locked.dxs", "I/O error 32"}};
  for (const Case& c : cases) {
    ScriptDocument document = test::BeforeLoad();
    try {
      ReadScriptFile(c.path, document, files);
      ADD_FAILURE() << c.path;
    } catch (const ScriptError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
    EXPECT_EQ(test::Describe(document), test::Describe(test::BeforeLoad()));
  }
}

}  // namespace
}  // namespace dx

namespace dx {
namespace {

// The tools' strict reading: each mistake a person makes in a .dxs file by
// hand, with the line and the words the tools print.
TEST(CheckDxsText, NamesTheLineAndWhatShouldStandThere) {
  const std::string head = CrLfLines({"Dorvaxil script", "version: 1.0", "", "notes: $0000", "", "keys"});
  const std::string lists = CrLfLines({"endkeys", "", "locations", "endlocations", ""});
  struct Row {
    std::string bytes;
    std::string problem;  // "LINE: message"
  } rows[] = {
      {"Dorvaxil script\r\nversion: 1.0\r\n",
       "3: the file ends here, where empty (a blank line stands before 'notes: $0000') should follow"},
      {"  Dorvaxil script\r\n", "1: this line should be 'Dorvaxil script', found '  Dorvaxil script'"},
      {CrLfLines({"Dorvaxil script", "version 1.0"}), "2: this line should be 'version: 1.0', found 'version 1.0'"},
      {CrLfLines({"Dorvaxil script", "version: 1.0", "notes: $0000"}),
       "3: this line should be empty (a blank line stands before 'notes: $0000'), found 'notes: $0000'"},
      {CrLfLines({"Dorvaxil script", "version: 1.0", "", "notes: 1x"}),
       "4: this line should be the notes count, such as 'notes: $0000', found 'notes: 1x'"},
      {CrLfLines({"Dorvaxil script", "version: 1.0", "", "notes: $0001", "a", "b", "", "keys"}),
       "6: this line should be empty (a blank line stands before 'keys'), found 'b'; does the notes count on line 4 "
       "(1) match the notes lines?"},
      {CrLfLines({"Dorvaxil script", "version: 1.0", "", "notes: $0005", "a"}),
       "4: the notes count on line 4 says 5, but only 1 notes line follows: make the count $0001"},
      {head + CrLfLines({"05: 41"}),
       "7: a key line is the slot number, ': $' and the key code, such as '05: $41'; found '05: 41': the '$' is "
       "missing"},
      {head + CrLfLines({"9: $41"}), "7: a slot number has two digits: write '09: $41', found '9: $41'"},
      {head + CrLfLines({"41: $0D"}), "7: there is no key slot 41 (they are 01 to 40): the line would be ignored"},
      {head + CrLfLines({"05: $41", "05: $42"}),
       "8: key slot 5 is listed on line 7 already: the earlier line would be ignored"},
      {head + CrLfLines({"endkeys ", "endkeys"}),
       "7: this line should be a key line such as '05: $41', or 'endkeys', found 'endkeys '"},
      {head + CrLfLines({"05: $41"}), "8: the file ends inside the list that starts on line 6: 'endkeys' is missing"},
      {head + CrLfLines({"endkeys", "locations"}),
       "8: this line should be empty (a blank line stands before 'locations'), found 'locations'"},
      {head + CrLfLines({"endkeys", "", "locations", "01: $064,$0C8 x"}),
       "10: this line should be a location line such as '01: $064,$0C8', or 'endlocations', found '01: "
       "$064,$0C8 x'"},
      {head + lists + CrLfLines({"code: $0001", "BEEP", "ENDSCRIPT"}),
       "14: the code count on line 12 says 1, but 2 code lines follow: the last 1 would be ignored; make the count "
       "$0002"},
      {head + lists + CrLfLines({"code: $0004", "BEEP", "ENDSCRIPT"}),
       "12: the code count on line 12 says 4, but only 2 code lines follow: make the count $0002"},
      {head + lists + "code: $0002\r\nBEEP\nENDSCRIPT\r\n",
       "13: this line ends with LF alone, the lines before it with CR LF: a .dxs file ends every line with CR LF "
       "(save it with CR LF line ends, or write it as a plain script)"},
      {head + lists + "code: $0002\r\nBE\rEP\r\nENDSCRIPT\r\n",
       "13: this line holds a CR without a LF behind it, which ends a line of a .dxs file but not of an editor"},
      {head + lists + "code: $0002\r\nBEEP\r\n\x1A" "ENDSCRIPT\r\n",
       "14: this line holds byte 26 (Ctrl+Z), which ends the readable text: every line behind it would read as empty"},
  };
  for (const Row& row : rows) {
    const std::optional<FileProblem> problem = CheckDxsText(row.bytes);
    ASSERT_TRUE(problem) << row.problem;
    EXPECT_EQ(std::to_string(problem->line) + ": " + problem->message, row.problem);
    EXPECT_EQ(problem->message.find_first_of("\r\n"), std::string::npos) << row.problem;
  }
  // LF alone throughout is read as the same file with CR LF.
  std::string lf_only = test::WorkedExampleFile();
  for (std::size_t at; (at = lf_only.find("\r\n")) != std::string::npos;) lf_only.erase(at, 1);
  EXPECT_FALSE(CheckDxsText(lf_only));
  EXPECT_FALSE(CheckDxsText(test::WorkedExampleFile()));
}

}  // namespace
}  // namespace dx
