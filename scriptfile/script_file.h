// The script file (.dxs): writing a ScriptDocument out and reading one back.
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
#include "scriptfile/script_document.h"

namespace dx {

// Every location text is converted and the whole file built before the file
// system is touched, and the file is replaced in one step: a failing save
// leaves the previous file as it was.
void WriteScriptFile(const ScriptDocument& document, const std::string& path, FileSystem& files);

// Where the parts of a file that was read stand in it, as editors count
// lines (1-based): messages about a code line name the file's line.
struct ScriptFileLines {
  int32_t first_code_line = 0;  // the file line of code line 1
  // The file line of code line `index` (0-based).
  int32_t FileLineOfCode(int32_t index) const { return first_code_line + index; }
};

// Replaces the notes and the code and sets only the slots that the file
// lists. On a failure the changes of the steps before it stay: the notes
// are cleared only once their count has converted, the code likewise, and
// a slot's x is stored before its y is converted.
ScriptFileLines ReadScriptFile(const std::string& path, ScriptDocument& document, FileSystem& files);

// ReadScriptFile for the tools: the load's message when it fails (without
// the full stop an error box adds), else the lines of the file read.
struct ScriptFileLoad {
  ScriptFileLines lines;
  std::optional<std::string> error;
};
ScriptFileLoad TryReadScriptFile(const std::string& path, ScriptDocument& document, FileSystem& files);

}  // namespace dx
