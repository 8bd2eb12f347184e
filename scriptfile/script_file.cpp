#include "scriptfile/script_file.h"

#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

#include "base/integer_rule.h"
#include "base/script_error.h"
#include "base/format_hex.h"
#include "scriptfile/dxs_check.h"
#include "scriptfile/line_reader.h"
#include "scriptfile/plain_script.h"
#include "scriptfile/location_field.h"

namespace dx {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The file's fixed lines, in the order they stand. The writer writes them and
// the reader skips as many lines unseen, so both follow this one layout.
using FixedLines = std::span<const std::string_view>;
constexpr std::string_view kHeaderLines[] = {"Dorvaxil script", "version: 1.0", ""};
constexpr std::string_view kNotesLabel = "notes: ";  // then the count
constexpr std::string_view kKeysOpener[] = {"", "keys"};
constexpr std::string_view kKeysCloser = "endkeys";
constexpr std::string_view kLocationsOpener[] = {"", "locations"};
constexpr std::string_view kLocationsCloser = "endlocations";
constexpr std::string_view kCodeOpener[] = {""};
constexpr std::string_view kCodeLabel = "code: ";  // then the count
constexpr std::size_t kKeyTextColumn = 5;   // behind "NN: $"
constexpr std::size_t kLocationColumn = 4;  // behind "NN: "

// A count that promises more lines than the file holds gets empty lines for
// the missing ones, but no more than a four-digit count can ask for, so that
// a count such as $7FFFFFFF in a short file cannot exhaust memory.
constexpr int32_t kMostMissingLines = 0xFFFF;

// Column access that never reads out of range: what the line holds.
std::string_view Take(std::string_view text, std::size_t count) { return text.substr(0, count); }
std::string_view Drop(std::string_view text, std::size_t count) {
  return count < text.size() ? text.substr(count) : std::string_view();
}

std::string SlotNumber(int slot) {
  return std::string{static_cast<char>('0' + slot / 10), static_cast<char>('0' + slot % 10)};
}

class FileText {
 public:
  void Line(std::string_view text) {
    bytes_ += text;
    bytes_ += kLineEnd;
  }
  void Lines(FixedLines lines) {
    for (std::string_view line : lines) Line(line);
  }
  void CountedLines(std::string_view label, const std::vector<std::string>& lines) {
    Line(std::string(label) + "$" + FormatHex(static_cast<int64_t>(lines.size()), 4));
    for (const std::string& line : lines) Line(line);
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

void WriteKeyLines(const ScriptDocument& document, FileText& file) {
  for (int slot = 1; slot <= kKeySlotCount; ++slot) {
    const std::string& text = document.keys[slot - 1];
    if (!text.empty()) file.Line(SlotNumber(slot) + ": $" + text);
  }
}

void WriteLocationLines(const ScriptDocument& document, FileText& file) {
  for (int slot = 1; slot <= kLocationSlotCount; ++slot) {
    const LocationSlotText& location = document.locations[slot - 1];
    if (location.x.empty()) continue;
    int32_t x = StrToInt(location.x);
    int32_t y = StrToInt(location.y);
    file.Line(SlotNumber(slot) + ": " + FormatCoordinate(x) + "," + FormatCoordinate(y));
  }
}

std::string BuildFileText(const ScriptDocument& document) {
  FileText file;
  file.Lines(kHeaderLines);
  file.CountedLines(kNotesLabel, document.notes);
  file.Lines(kKeysOpener);
  WriteKeyLines(document, file);
  file.Line(kKeysCloser);
  file.Lines(kLocationsOpener);
  WriteLocationLines(document, file);
  file.Line(kLocationsCloser);
  file.Lines(kCodeOpener);
  file.CountedLines(kCodeLabel, document.code);
  return file.bytes();
}

void ReadCountedLines(LineReader& reader, std::size_t prefix, std::vector<std::string>& lines) {
  std::string count_line = reader.Next();
  int32_t count = StrToInt(Drop(count_line, prefix));
  lines.clear();
  int32_t missing = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (reader.AtEnd() && ++missing > kMostMissingLines) break;
    lines.push_back(reader.Next());
  }
}

int32_t ListSlotNumber(std::string_view line) { return StrToInt(Take(line, 2)); }

void ReadKeyList(LineReader& reader, ScriptDocument& document) {
  for (std::string line = reader.Next(); line != kKeysCloser; line = reader.Next()) {
    int32_t slot = ListSlotNumber(line);
    if (slot >= 1 && slot <= kKeySlotCount) document.keys[slot - 1] = Drop(line, kKeyTextColumn);
  }
}

void ReadLocationLine(std::string_view fields, LocationSlotText& location) {
  std::string_view x_text = Take(fields, 4);
  std::string_view y_text = Take(Drop(fields, 5), 4);
  std::optional<int32_t> x = TryStrToInt(x_text);
  std::optional<int32_t> y = TryStrToInt(y_text);
  if (!x || !y) {
    if (std::optional<Coordinates> wide = ParseWideCoordinates(fields)) {
      x = wide->x;
      y = wide->y;
    }
  }
  if (!x) throw ScriptError(InvalidIntegerMessage(x_text));
  location.x = std::to_string(*x);
  if (!y) throw ScriptError(InvalidIntegerMessage(y_text));
  location.y = std::to_string(*y);
}

void ReadLocationList(LineReader& reader, ScriptDocument& document) {
  for (std::string line = reader.Next(); line != kLocationsCloser; line = reader.Next()) {
    int32_t slot = ListSlotNumber(line);
    if (slot >= 1 && slot <= kLocationSlotCount) {
      ReadLocationLine(Drop(line, kLocationColumn), document.locations[slot - 1]);
    }
  }
}

ScriptFileLines ReadDxsText(std::string_view bytes, ScriptDocument& document) {
  LineReader reader(bytes);
  reader.Skip(std::size(kHeaderLines));
  ReadCountedLines(reader, kNotesLabel.size(), document.notes);
  reader.Skip(std::size(kKeysOpener));
  ReadKeyList(reader, document);
  reader.Skip(std::size(kLocationsOpener));
  ReadLocationList(reader, document);
  reader.Skip(std::size(kCodeOpener));
  ScriptFileLines lines;
  lines.first_code_line = reader.LinesTaken() + 2;  // behind the count line
  ReadCountedLines(reader, kCodeLabel.size(), document.code);
  return lines;
}

std::string ReadBytes(const std::string& path, FileSystem& files) {
  std::string bytes;
  if (uint32_t code = files.ReadWholeFile(path, bytes)) throw ScriptError(IoErrorMessage(code));
  return bytes;
}

void Replace(const std::string& path, std::string_view bytes, FileSystem& files) {
  if (uint32_t code = files.ReplaceWholeFile(path, bytes)) throw ScriptError(IoErrorMessage(code));
}

}  // namespace

void WriteScriptFile(const ScriptDocument& document, const std::string& path, FileSystem& files) {
  Replace(path, BuildFileText(document), files);
}

void WritePlainScriptFile(const ScriptDocument& document, const std::string& path, FileSystem& files) {
  Replace(path, PlainScriptText(document), files);
}

ScriptFileLines ReadScriptFile(const std::string& path, ScriptDocument& document, FileSystem& files) {
  const std::string bytes = ReadBytes(path, files);
  if (IsDxsText(bytes)) return ReadDxsText(bytes, document);
  PlainRead read = ReadPlainScript(bytes, document);
  if (read.problem) {
    throw ScriptError("line " + std::to_string(read.problem->line) + ": " + read.problem->message);
  }
  return read.lines;
}

ScriptFileLoad TryReadScriptFile(const std::string& path, ScriptDocument& document, FileSystem& files) {
  ScriptFileLoad load;
  try {
    const std::string bytes = ReadBytes(path, files);
    if (!IsDxsText(bytes)) {
      load.format = ScriptFormat::Plain;
      PlainRead read = ReadPlainScript(bytes, document);
      load.lines = read.lines;
      if (read.problem) {
        load.error = read.problem->message;
        load.error_line = read.problem->line;
      }
      return load;
    }
    if (const std::optional<FileProblem> problem = CheckDxsText(bytes)) {
      load.error = problem->message;
      load.error_line = problem->line;
      return load;
    }
    load.lines = ReadDxsText(bytes, document);
  } catch (const ScriptError& e) {
    load.error = e.what();
  }
  return load;
}

void SaveSlotIntoScriptFile(const std::string& path, const ScriptDocument& document, SlotRef slot, FileSystem& files) {
  const std::string bytes = ReadBytes(path, files);
  if (IsDxsText(bytes)) return WriteScriptFile(document, path, files);
  const auto index = static_cast<std::size_t>(slot.number - 1);
  if (slot.location) {
    const LocationSlotText& location = document.locations[index];
    return Replace(path, WithLocationLine(bytes, slot.number, StrToInt(location.x), StrToInt(location.y)), files);
  }
  Replace(path, WithKeyLine(bytes, slot.number, document.keys[index]), files);
}

}  // namespace dx
