#include "scriptfile/plain_script.h"

#include <map>
#include <vector>

#include "base/integer_rule.h"
#include "base/slot_counts.h"
#include "scriptfile/line_reader.h"
#include "texts/script_file_texts.h"

namespace dx {
namespace {

namespace t = file_texts;

constexpr std::string_view kMarker = ";@";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kDxsHeader = "dorvaxil script";
constexpr std::string_view kNotesLabel = "notes:";

enum class Kind { Note, Key, Location, Code };

struct KindRow {
  Kind kind;
  std::string_view word;
  int last_slot;  // 0: the kind has no slot number
};
constexpr KindRow kKinds[] = {
    {Kind::Note, "note", 0},
    {Kind::Key, "key", kKeySlotCount},
    {Kind::Location, "location", kLocationSlotCount},
    {Kind::Code, "code", 0},
};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view SkipBlanks(std::string_view text) {
  return text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
}

std::string_view TrimBlanks(std::string_view text) {
  text = SkipBlanks(text);
  return text.substr(0, text.find_last_not_of(" \t") + 1);
}

// One line of the file: where its text stands and where the next begins.
struct RawLine {
  std::size_t start;
  std::size_t end;   // behind the text, before the CR LF or LF
  std::size_t next;  // behind the line end
};

std::vector<RawLine> SplitLines(std::string_view bytes, std::size_t from) {
  std::vector<RawLine> lines;
  std::size_t start = from;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
    const std::size_t next = lf == std::string_view::npos ? bytes.size() : lf + 1;
    if (end > start && bytes[end - 1] == '\r' && lf != std::string_view::npos) --end;
    lines.push_back({start, end, next});
    start = next;
  }
  return lines;
}

std::size_t TextStart(std::string_view bytes) { return bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0; }

// A ";@" line taken apart.
struct SlotLine {
  Kind kind = Kind::Code;
  int slot = 0;
  std::string value;
};

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 'n': out += '\n'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

bool NeedsEscape(std::string_view text) { return text.find('\n') != std::string_view::npos; }

// What a .dxs file cannot carry inside a line, so that every plain script
// converts: a CR ends its lines, a byte 26 its readable text.
std::optional<std::string_view> Unwritable(std::string_view text) {
  if (text.find('\r') != std::string_view::npos) return file_texts::kCarriageReturnInLine;
  if (text.find('\x1A') != std::string_view::npos) return file_texts::kEndOfTextInLine;
  return std::nullopt;
}

// Reads the line behind its ";@"; the problem in words when it is no such line.
std::optional<SlotLine> ParseSlotLine(std::string_view line, std::string& problem) {
  std::string_view rest = SkipBlanks(line.substr(kMarker.size()));
  const std::size_t word_end = std::min(rest.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"),
                                        rest.size());
  const std::string word = Lower(rest.substr(0, word_end));
  rest = SkipBlanks(rest.substr(word_end));
  for (const KindRow& row : kKinds) {
    if (word != row.word) continue;
    SlotLine slot_line{row.kind, 0, {}};
    if (row.last_slot > 0) {
      const std::size_t digits = std::min(rest.find_first_not_of("0123456789"), rest.size());
      const std::string_view number = rest.substr(0, digits);
      const std::optional<int32_t> slot = digits > 0 && digits < 4 ? TryStrToInt(number) : std::nullopt;
      if (!slot || *slot < 1 || *slot > row.last_slot) {
        problem = t::SlotOutOfRange(row.word, number.empty() ? rest.substr(0, rest.find(':')) : number, row.last_slot);
        return std::nullopt;
      }
      slot_line.slot = *slot;
      rest = SkipBlanks(rest.substr(digits));
    }
    if (!rest.starts_with(':')) break;
    const bool escaped = rest.starts_with("::");
    rest = rest.substr(escaped ? 2 : 1);
    if (rest.starts_with(' ')) rest = rest.substr(1);
    if (!escaped) {
      slot_line.value = std::string(rest);
      return slot_line;
    }
    std::optional<std::string> value = Unescaped(rest);
    if (!value) {
      problem = std::string(t::kBadEscape);
      return std::nullopt;
    }
    slot_line.value = std::move(*value);
    return slot_line;
  }
  problem = t::UnknownSlotLine(line);
  return std::nullopt;
}

std::optional<std::pair<int32_t, int32_t>> ParseCoordinates(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::optional<int32_t> x = TryStrToInt(TrimBlanks(text.substr(0, comma)));
  const std::optional<int32_t> y = TryStrToInt(TrimBlanks(text.substr(comma + 1)));
  if (!x || !y) return std::nullopt;
  return std::pair{*x, *y};
}

// Sets what one ";@" line says; the problem in words when it says nothing.
std::optional<std::string> Apply(const SlotLine& line, ScriptDocument& document) {
  switch (line.kind) {
    case Kind::Note: document.notes.push_back(line.value); return std::nullopt;
    case Kind::Code: document.code.push_back(line.value); return std::nullopt;
    case Kind::Key: document.keys[static_cast<std::size_t>(line.slot - 1)] = line.value; return std::nullopt;
    case Kind::Location: {
      const auto xy = ParseCoordinates(line.value);
      if (!xy) return t::BadCoordinates(line.value);
      document.locations[static_cast<std::size_t>(line.slot - 1)] = {std::to_string(xy->first),
                                                                     std::to_string(xy->second)};
      return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string SlotLineText(std::string_view word, int slot, std::string_view value) {
  std::string line = std::string(kMarker) + " " + std::string(word);
  if (slot > 0) line += " " + std::to_string(slot);
  if (NeedsEscape(value)) return line + ":: " + Escaped(value);
  line += ":";
  if (!value.empty()) line.append(" ").append(value);
  return line;
}

std::string WithSlotLine(std::string_view bytes, Kind kind, int slot, const std::string& new_line) {
  const std::vector<RawLine> lines = SplitLines(bytes, TextStart(bytes));
  const bool crlf = !lines.empty() && lines[0].next > lines[0].end + 1;
  const std::string line_end = crlf ? "\r\n" : "\n";
  std::optional<std::size_t> same_kind_before, other_slot_line, same_kind_after;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view text = bytes.substr(lines[i].start, lines[i].end - lines[i].start);
    if (!text.starts_with(kMarker)) continue;
    std::string problem;
    const std::optional<SlotLine> parsed = ParseSlotLine(text, problem);
    if (!parsed || parsed->kind == Kind::Code) continue;
    if (parsed->kind == kind && parsed->slot == slot) {
      return std::string(bytes.substr(0, lines[i].start)) + new_line + std::string(bytes.substr(lines[i].end));
    }
    other_slot_line = i;
    if (parsed->kind != kind) continue;
    if (parsed->slot < slot) same_kind_before = i;
    if (parsed->slot > slot && !same_kind_after) same_kind_after = i;
  }
  // Before the next higher slot of its kind, else behind the lower ones,
  // else behind the other ";@" lines, else at the top.
  std::size_t at = TextStart(bytes);
  if (same_kind_after) {
    at = lines[*same_kind_after].start;
  } else if (const auto behind = same_kind_before ? same_kind_before : other_slot_line) {
    at = lines[*behind].next;
    if (lines[*behind].next == lines[*behind].end) {  // the last line, without its line end
      return std::string(bytes) + line_end + new_line + line_end;
    }
  }
  return std::string(bytes.substr(0, at)) + new_line + line_end + std::string(bytes.substr(at));
}

}  // namespace

bool IsDxsText(std::string_view bytes) {
  const std::string_view text = SkipBlanks(bytes.substr(TextStart(bytes)));
  if (Lower(text.substr(0, kDxsHeader.size())) == kDxsHeader) return true;
  LineReader reader(bytes);
  reader.Skip(3);
  return reader.Next().starts_with(kNotesLabel);
}

PlainRead ReadPlainScript(std::string_view bytes, ScriptDocument& document) {
  PlainRead read;
  ScriptDocument loaded = document;
  loaded.notes.clear();
  loaded.code.clear();
  std::map<std::pair<Kind, int>, int> seen;  // slot -> its line
  const std::vector<RawLine> lines = SplitLines(bytes, TextStart(bytes));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const std::string_view text = bytes.substr(lines[i].start, lines[i].end - lines[i].start);
    if (const auto refused = Unwritable(text)) {
      read.problem = FileProblem{number, std::string(*refused)};
      return read;
    }
    if (!text.starts_with(kMarker)) {
      loaded.code.emplace_back(text);
      read.lines.code_file_lines.push_back(number);
      continue;
    }
    std::string problem;
    const std::optional<SlotLine> line = ParseSlotLine(text, problem);
    if (line && line->slot > 0) {
      const auto [earlier, fresh] = seen.emplace(std::pair{line->kind, line->slot}, number);
      if (!fresh) problem = t::PlainSlotTwice(line->kind == Kind::Key ? "key" : "location", line->slot, earlier->second);
    }
    if (line && problem.empty()) {
      if (const auto refused = Unwritable(line->value)) problem = std::string(*refused);
    }
    if (line && problem.empty()) {
      if (std::optional<std::string> refused = Apply(*line, loaded)) problem = *refused;
    }
    if (!problem.empty()) {
      read.problem = FileProblem{number, problem};
      return read;
    }
    if (line->kind == Kind::Code) read.lines.code_file_lines.push_back(number);
  }
  read.lines.first_code_line = read.lines.code_file_lines.empty() ? 0 : read.lines.code_file_lines[0];
  document = std::move(loaded);
  return read;
}

std::string PlainScriptText(const ScriptDocument& document) {
  std::string text;
  const auto add = [&text](const std::string& line) { text.append(line).append("\n"); };
  for (const std::string& note : document.notes) add(SlotLineText("note", 0, note));
  for (int slot = 1; slot <= kKeySlotCount; ++slot) {
    const std::string& key = document.keys[static_cast<std::size_t>(slot - 1)];
    if (!key.empty()) add(SlotLineText("key", slot, key));
  }
  for (int slot = 1; slot <= kLocationSlotCount; ++slot) {
    const LocationSlotText& location = document.locations[static_cast<std::size_t>(slot - 1)];
    if (location.x.empty()) continue;
    const int32_t x = StrToInt(location.x);
    const int32_t y = StrToInt(location.y);
    add(SlotLineText("location", slot, std::to_string(x) + "," + std::to_string(y)));
  }
  for (std::size_t i = 0; i < document.code.size(); ++i) {
    const std::string& line = document.code[i];
    // The first lines decide whether the file reads as a .dxs file.
    const bool opening = i < 4 && text.size() < 4096;
    const bool reads_otherwise = std::string_view(line).starts_with(kMarker) || NeedsEscape(line) ||
                                 (opening && IsDxsText(text + line + "\n")) ||
                                 (text.empty() && std::string_view(line).starts_with(kByteOrderMark));
    add(reads_otherwise ? SlotLineText("code", 0, line) : line);
  }
  return text;
}

std::string WithKeyLine(std::string_view bytes, int slot, std::string_view text) {
  return WithSlotLine(bytes, Kind::Key, slot, SlotLineText("key", slot, text));
}

std::string WithLocationLine(std::string_view bytes, int slot, int32_t x, int32_t y) {
  return WithSlotLine(bytes, Kind::Location, slot,
                      SlotLineText("location", slot, std::to_string(x) + "," + std::to_string(y)));
}

}  // namespace dx
