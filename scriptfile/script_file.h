// The script file (.dxs): writing a ScriptDocument out and reading one back;
// reading also takes a plain script.
//
// Layout, every line ending in CR LF:
//   Dorvaxil script / version: 1.0 / (empty)
//   notes: $NNNN, then the notes lines / (empty)
//   keys, then "NN: $text" per filled key slot, endkeys / (empty)
//   locations, then "NN: $XXX,$YYY" per slot with an x text, endlocations
//   (empty) / code: $MMMM, then the code lines
// The reader is positional: it skips the header and opener lines unseen,
// takes numbers from fixed columns and finds the ends of the notes and code
// by their counts. Both throw ScriptError: I/O failures with
// IoErrorMessage(code), numbers that do not convert with the integer
// rule's message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/file_system.h"
#include "scriptfile/file_lines.h"
#include "scriptfile/script_document.h"

namespace dx {

// Every location text is converted and the whole file built before the file
// system is touched, and the file is replaced in one step: a failing save
// leaves the previous file as it was.
void WriteScriptFile(const ScriptDocument& document, const std::string& path, FileSystem& files);

// The same document as a plain script (scriptfile/plain_script.h).
void WritePlainScriptFile(const ScriptDocument& document, const std::string& path, FileSystem& files);

// Replaces the notes and the code and sets only the slots that the file
// lists. A .dxs file (plain_script.h tells them apart) is read
// positionally, with the program's own messages: on a failure the changes
// of the steps before it stay (the notes are cleared only once their count
// has converted, the code likewise, and a slot's x is stored before its y is
// converted). A plain script that does not read changes nothing and fails
// with "line N: " and what is wrong.
ScriptFileLines ReadScriptFile(const std::string& path, ScriptDocument& document, FileSystem& files);

enum class ScriptFormat { Dxs, Plain };

// Reading for the tools: a .dxs file is first checked against every rule
// of its layout, so that a file the positional reading would take wrongly
// or in part is refused with its line. The message (without the full stop
// an error box adds) when it fails; error_line 0 for the file as a whole.
struct ScriptFileLoad {
  ScriptFileLines lines;
  ScriptFormat format = ScriptFormat::Dxs;
  std::optional<std::string> error;
  int error_line = 0;
};
ScriptFileLoad TryReadScriptFile(const std::string& path, ScriptDocument& document, FileSystem& files);

// After a capture: a .dxs file is written anew from the document, a plain
// script gets the one slot's line and keeps every other byte.
struct SlotRef {
  bool location = false;  // else a key slot
  int number = 0;
};
void SaveSlotIntoScriptFile(const std::string& path, const ScriptDocument& document, SlotRef slot, FileSystem& files);

}  // namespace dx
