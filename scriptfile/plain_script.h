// The plain script: the code lines as they run, one file line each, with
// the notes and the filled slots on lines of their own that start with
// ";@" (a comment to the script language, and no line a person writes):
//
//   ;@ note: Clicks slot 1 and presses Enter.
//   ;@ key 5: 41
//   ;@ location 1: 100,200
//   MOUSE GO 1
//   MOUSE LC
//   ENDSCRIPT
//
// Lines end in LF or CR LF; a UTF-8 byte-order mark at the start is
// skipped; the bytes are taken as they are. The ";@" lines may stand
// anywhere; notes keep their order. A code line that would itself read as
// something else (one starting with ";@", one holding a CR or LF, a first
// line that reads as a .dxs header) is written ";@ code: LINE". A value
// behind "::" instead of ":" has its "\" and LF written as "\\" and "\n".
// No line holds a CR or a byte 26, which a .dxs file cannot carry inside a
// line: a plain script always converts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scriptfile/file_lines.h"
#include "scriptfile/file_problem.h"
#include "scriptfile/script_document.h"

namespace dx {

// A .dxs file: its first line, blanks, tabs and a UTF-8 byte-order mark
// before it aside, starts with "Dorvaxil script" in any letter case.
// Anything else is a plain script.
bool IsDxsText(std::string_view bytes);

struct PlainRead {
  ScriptFileLines lines;
  std::optional<FileProblem> problem;
};

// Replaces the notes and the code and sets the slots that the text lists;
// on a problem the document is left as it was.
PlainRead ReadPlainScript(std::string_view bytes, ScriptDocument& document);

// The document as a plain script with LF line ends: notes, keys and
// locations in slot order, then the code. A location text that does not
// convert throws ScriptError, as the .dxs writer does.
std::string PlainScriptText(const ScriptDocument& document);

// The plain script with the line of one slot set: an existing line of that
// slot is replaced, else the line goes beside the other slot lines. Every
// other byte stays as it was.
std::string WithKeyLine(std::string_view bytes, int slot, std::string_view text);
std::string WithLocationLine(std::string_view bytes, int slot, int32_t x, int32_t y);

}  // namespace dx
