// Test helpers: file bytes from lines, and the document of the worked example.
#pragma once

#include <initializer_list>
#include <string>

#include "scriptfile/script_document.h"

namespace dx::test {

// The lines joined, each followed by CR LF.
inline std::string CrLfLines(std::initializer_list<std::string> lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

inline ScriptDocument WorkedExample() {
  ScriptDocument document;
  document.notes = {"first note", "second note"};
  document.keys[0] = "0D";
  document.keys[2] = "41";
  document.locations[0] = {"100", "200"};
  document.locations[1] = {"1023", "767"};
  document.code = {"beep", "endscript"};
  return document;
}

inline std::string WorkedExampleFile() {
  return CrLfLines({"Dorvaxil script", "version: 1.0", "", "notes: $0002", "first note", "second note", "",
                    "keys", "01: $0D", "03: $41", "endkeys", "", "locations", "01: $064,$0C8",
                    "02: $3FF,$2FF", "endlocations", "", "code: $0002", "beep", "endscript"});
}

// A file with the given key and location lines and code, empty otherwise.
inline std::string FileWithLists(const std::string& key_lines, const std::string& location_lines,
                                 const std::string& code_count = "$0000") {
  return CrLfLines({"Dorvaxil script", "version: 1.0", "", "notes: $0000", "", "keys"}) + key_lines +
         CrLfLines({"endkeys", "", "locations"}) + location_lines +
         CrLfLines({"endlocations", "", "code: " + code_count});
}

}  // namespace dx::test

namespace dx::test {

// The whole document as one comparable text, so that a failing comparison
// shows what differs.
inline std::string Describe(const ScriptDocument& document) {
  std::string text = "notes:";
  for (const std::string& line : document.notes) text += "[" + line + "]";
  text += "\ncode:";
  for (const std::string& line : document.code) text += "[" + line + "]";
  for (int i = 0; i < kKeySlotCount; ++i) {
    if (!document.keys[i].empty()) text += "\nkey " + std::to_string(i + 1) + "=[" + document.keys[i] + "]";
  }
  for (int i = 0; i < kLocationSlotCount; ++i) {
    const LocationSlotText& slot = document.locations[i];
    if (!slot.x.empty() || !slot.y.empty()) {
      text += "\nlocation " + std::to_string(i + 1) + "=[" + slot.x + "],[" + slot.y + "]";
    }
  }
  return text;
}

// What a document held before a load, so that a test sees which parts the
// load changed.
inline ScriptDocument BeforeLoad() {
  ScriptDocument document;
  document.notes = {"old note"};
  document.code = {"old code"};
  document.keys[4] = "41";
  document.locations[3] = {"1", "2"};
  return document;
}

}  // namespace dx::test
