// What the tools say about a script file that does not read: each message
// names what the line should hold and what it holds. dxplay and dxsim put
// "FILE:LINE: " in front; the Windows program keeps its own load messages.
#pragma once

#include <string>
#include <string_view>

namespace dx::file_texts {

// A found line as a message shows it: control characters by name, so that
// no message holds a raw line end, and a long line cut short.
inline std::string Shown(std::string_view line) {
  constexpr std::size_t kLongest = 40;
  std::string out = "'";
  for (std::size_t i = 0; i < line.size() && i < kLongest; ++i) {
    const char c = line[i];
    if (c == '\r') out += "<CR>";
    else if (c == '\n') out += "<LF>";
    else if (c == '\t') out += "<TAB>";
    else if (static_cast<unsigned char>(c) < 0x20) out += "<" + std::to_string(static_cast<unsigned char>(c)) + ">";
    else out += c;
  }
  if (line.size() > kLongest) out += "...";
  return out + "'";
}

inline std::string Found(std::string_view line) {
  return line.empty() ? "found an empty line" : "found " + Shown(line);
}

// ---- .dxs files ----------------------------------------------------------

inline std::string ShouldBe(std::string_view what, std::string_view found) {
  return "this line should be " + std::string(what) + ", " + Found(found);
}
inline constexpr std::string_view kHeaderLine = "'Dorvaxil script'";
inline constexpr std::string_view kVersionLine = "'version: 1.0'";
inline std::string BlankLineBefore(std::string_view next) {
  return "empty (a blank line stands before '" + std::string(next) + "')";
}
inline std::string Opener(std::string_view word) { return "'" + std::string(word) + "'"; }
inline constexpr std::string_view kNotesCount = "the notes count, such as 'notes: $0000'";
inline constexpr std::string_view kCodeCount = "the code count, such as 'code: $0004'";
inline constexpr std::string_view kKeyLine = "a key line such as '05: $41', or 'endkeys'";
inline constexpr std::string_view kLocationLine = "a location line such as '01: $064,$0C8', or 'endlocations'";
inline std::string KeyLineWithoutDollar(std::string_view found) {
  return "a key line is the slot number, ': $' and the key code, such as '05: $41'; " + Found(found) +
         ": the '$' is missing";
}
inline std::string OneDigitSlot(std::string_view found, std::string_view fixed) {
  return "a slot number has two digits: write '" + std::string(fixed) + "', " + Found(found);
}
inline std::string NoSuchSlot(std::string_view kind, int slot, int last) {
  return "there is no " + std::string(kind) + " slot " + std::to_string(slot) + " (they are 01 to " +
         std::to_string(last) + "): the line would be ignored";
}
inline std::string SlotTwice(std::string_view kind, int slot, int first_line) {
  return std::string(kind) + " slot " + std::to_string(slot) + " is listed on line " + std::to_string(first_line) +
         " already: the earlier line would be ignored";
}
inline std::string LoneLineFeed() {
  return "this line ends with LF alone, the lines before it with CR LF: a .dxs file ends every line with CR LF "
         "(save it with CR LF line ends, or write it as a plain script)";
}
inline std::string LoneCarriageReturn() {
  return "this line holds a CR without a LF behind it, which ends a line of a .dxs file but not of an editor";
}
inline constexpr std::string_view kEndOfText =
    "this line holds byte 26 (Ctrl+Z), which ends the readable text: every line behind it would read as empty";
inline std::string FileEndsInList(std::string_view closer, int opened_on) {
  return "the file ends inside the list that starts on line " + std::to_string(opened_on) + ": '" +
         std::string(closer) + "' is missing";
}
inline std::string FileEndsEarly(std::string_view what) {
  return "the file ends here, where " + std::string(what) + " should follow";
}
inline std::string LinesFollow(std::string_view section, long long count) {
  return std::to_string(count) + " " + std::string(section) + (count == 1 ? " line follows" : " lines follow");
}
inline std::string TooFewLines(std::string_view section, int count_line, long long count, long long found,
                               std::string_view fixed) {
  return "the " + std::string(section) + " count on line " + std::to_string(count_line) + " says " +
         std::to_string(count) + ", but only " + LinesFollow(section, found) + ": make the count " + std::string(fixed);
}
inline std::string TooManyLines(std::string_view section, int count_line, long long count, long long found,
                                std::string_view fixed) {
  return "the " + std::string(section) + " count on line " + std::to_string(count_line) + " says " +
         std::to_string(count) + ", but " + LinesFollow(section, found) + ": the last " + std::to_string(found - count) + " would be ignored; make the count " +
         std::string(fixed);
}
inline std::string NotesRunOn(int count_line, long long count) {
  return "; does the notes count on line " + std::to_string(count_line) + " (" + std::to_string(count) +
         ") match the notes lines?";
}

// ---- plain scripts -------------------------------------------------------

inline constexpr std::string_view kSlotLineForms =
    "';@ note: TEXT', ';@ key N: CODE', ';@ location N: X,Y' or ';@ code: LINE'";
inline std::string UnknownSlotLine(std::string_view found) {
  return "a line starting with ';@' is one of " + std::string(kSlotLineForms) + ", " + Found(found);
}
inline std::string SlotOutOfRange(std::string_view kind, std::string_view number, int last) {
  return "there is no " + std::string(kind) + " slot '" + std::string(number) + "': they are 1 to " +
         std::to_string(last);
}
inline std::string PlainSlotTwice(std::string_view kind, int slot, int first_line) {
  return std::string(kind) + " slot " + std::to_string(slot) + " is set on line " + std::to_string(first_line) +
         " already";
}
inline std::string BadCoordinates(std::string_view found) {
  return "a location is two numbers, x and y, such as ';@ location 1: 100,200', " + Found(found);
}
inline constexpr std::string_view kCarriageReturnInLine =
    "this line holds a CR that ends no line: no script can hold one inside a line";
inline constexpr std::string_view kEndOfTextInLine =
    "this line holds byte 26 (Ctrl+Z), which ends the readable text of a .dxs file: no script can hold it";
inline constexpr std::string_view kBadEscape =
    "in a ';@ ...::' line a backslash is followed by '\\' or 'n'";

// ---- dxsim resave --------------------------------------------------------

inline std::string WouldLoseLines(std::string_view message) {
  return "not converted, since lines would be lost: " + std::string(message);
}

}  // namespace dx::file_texts
