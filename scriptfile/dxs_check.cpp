#include "scriptfile/dxs_check.h"

#include <map>
#include <string>
#include <vector>

#include "base/format_hex.h"
#include "base/integer_rule.h"
#include "base/slot_counts.h"
#include "scriptfile/location_field.h"
#include "texts/script_file_texts.h"

namespace dx {
namespace {

namespace t = file_texts;

constexpr char kEndOfText = 26;

// The file's lines as an editor counts them (every LF ends one), with the
// CR before the LF taken off.
struct EditorLines {
  std::vector<std::string_view> text;
  std::optional<FileProblem> problem;  // mixed line ends, a CR alone, Ctrl+Z
};

EditorLines SplitLines(std::string_view bytes) {
  EditorLines lines;
  const bool crlf = bytes.find('\r') != std::string_view::npos;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
    std::string_view line = bytes.substr(start, end - start);
    const int number = static_cast<int>(lines.text.size()) + 1;
    const bool had_cr = !line.empty() && line.back() == '\r';
    if (had_cr) line.remove_suffix(1);
    if (!lines.problem) {
      if (line.find(kEndOfText) != std::string_view::npos) {
        lines.problem = FileProblem{number, std::string(t::kEndOfText)};
      } else if (line.find('\r') != std::string_view::npos) {
        lines.problem = FileProblem{number, t::LoneCarriageReturn()};
      } else if (crlf && lf != std::string_view::npos && !had_cr) {
        lines.problem = FileProblem{number, t::LoneLineFeed()};
      }
    }
    lines.text.push_back(line);
    start = end + 1;
  }
  return lines;
}

class DxsChecker {
 public:
  explicit DxsChecker(const std::vector<std::string_view>& lines) : lines_(lines) {}

  std::optional<FileProblem> Check() {
    if (!Exact("Dorvaxil script", t::kHeaderLine)) return problem_;
    if (!Exact("version: 1.0", t::kVersionLine)) return problem_;
    if (!Blank("notes: $0000")) return problem_;
    const int notes_count_line = Position();
    const auto notes = Count("notes: ", t::kNotesCount);
    if (!notes) return problem_;
    if (*notes > Remaining()) return Problem(notes_count_line, t::TooFewLines("notes", notes_count_line, *notes,
                                                                               Remaining(), CountText(Remaining())));
    next_ += static_cast<std::size_t>(*notes);
    const std::string notes_hint = t::NotesRunOn(notes_count_line, *notes);
    if (!Blank("keys", notes_hint) || !Exact("keys", t::Opener("keys"), notes_hint)) return problem_;
    if (!KeyList()) return problem_;
    if (!Blank("locations") || !Exact("locations", t::Opener("locations"))) return problem_;
    if (!LocationList()) return problem_;
    if (!Blank("code: $0000")) return problem_;
    const int code_count_line = Position();
    const auto code = Count("code: ", t::kCodeCount);
    if (!code) return problem_;
    const long long found = Remaining();
    if (*code > found) return Problem(code_count_line, t::TooFewLines("code", code_count_line, *code, found,
                                                                       CountText(found)));
    if (*code < found) {
      return Problem(code_count_line + 1 + static_cast<int>(*code),
                     t::TooManyLines("code", code_count_line, *code, found, CountText(found)));
    }
    return std::nullopt;
  }

 private:
  static std::string CountText(long long count) { return "$" + FormatHex(count, 4); }

  int Position() const { return static_cast<int>(next_) + 1; }
  long long Remaining() const { return static_cast<long long>(lines_.size() - next_); }

  std::optional<FileProblem> Problem(int line, std::string message) {
    problem_ = FileProblem{line, std::move(message)};
    return problem_;
  }

  // The next line, or a finding that the file ends where `what` should be.
  std::optional<std::string_view> Take(std::string_view what) {
    if (next_ >= lines_.size()) {
      Problem(Position(), t::FileEndsEarly(what));
      return std::nullopt;
    }
    return lines_[next_++];
  }

  bool Exact(std::string_view expected, std::string_view described, std::string_view hint = {}) {
    const auto line = Take(described);
    if (!line) return false;
    if (*line == expected) return true;
    Problem(Position() - 1, t::ShouldBe(described, *line) + std::string(hint));
    return false;
  }

  bool Blank(std::string_view next, std::string_view hint = {}) {
    const std::string described = t::BlankLineBefore(next);
    const auto line = Take(described);
    if (!line) return false;
    if (line->empty()) return true;
    Problem(Position() - 1, t::ShouldBe(described, *line) + std::string(hint));
    return false;
  }

  std::optional<long long> Count(std::string_view label, std::string_view described) {
    const auto line = Take(described);
    if (!line) return std::nullopt;
    if (line->starts_with(label)) {
      const std::optional<int32_t> count = TryStrToInt(line->substr(label.size()));
      if (count && *count >= 0) return *count;
    }
    Problem(Position() - 1, t::ShouldBe(described, *line));
    return std::nullopt;
  }

  // "NN: " with NN from 01 to `last`; the problem otherwise.
  std::optional<int> SlotOf(std::string_view line, std::string_view kind, int last, std::string_view described) {
    const int number = Position() - 1;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (line.size() >= 2 && digit(line[0]) && line[1] == ':') {
      Problem(number, t::OneDigitSlot(line, "0" + std::string(line)));
      return std::nullopt;
    }
    if (line.size() < 4 || !digit(line[0]) || !digit(line[1]) || line.substr(2, 2) != ": ") {
      Problem(number, t::ShouldBe(described, line));
      return std::nullopt;
    }
    const int slot = (line[0] - '0') * 10 + (line[1] - '0');
    if (slot < 1 || slot > last) {
      Problem(number, t::NoSuchSlot(kind, slot, last));
      return std::nullopt;
    }
    const auto [seen, fresh] = seen_[std::string(kind)].emplace(slot, number);
    if (!fresh) {
      Problem(number, t::SlotTwice(kind, slot, seen->second));
      return std::nullopt;
    }
    return slot;
  }

  bool KeyList() {
    const int opened_on = Position() - 1;
    for (;;) {
      if (next_ >= lines_.size()) return !Problem(Position(), t::FileEndsInList("endkeys", opened_on));
      const std::string_view line = lines_[next_++];
      if (line == "endkeys") return true;
      if (!SlotOf(line, "key", kKeySlotCount, t::kKeyLine)) return false;
      if (line.size() < 5 || line[4] != '$') return !Problem(Position() - 1, t::KeyLineWithoutDollar(line));
    }
  }

  bool LocationList() {
    const int opened_on = Position() - 1;
    for (;;) {
      if (next_ >= lines_.size()) return !Problem(Position(), t::FileEndsInList("endlocations", opened_on));
      const std::string_view line = lines_[next_++];
      if (line == "endlocations") return true;
      if (!SlotOf(line, "location", kLocationSlotCount, t::kLocationLine)) return false;
      if (!ParseWideCoordinates(line.substr(4))) return !Problem(Position() - 1, t::ShouldBe(t::kLocationLine, line));
    }
  }

  const std::vector<std::string_view>& lines_;
  std::size_t next_ = 0;
  std::optional<FileProblem> problem_;
  std::map<std::string, std::map<int, int>> seen_;  // kind -> slot -> line
};

}  // namespace

std::optional<FileProblem> CheckDxsText(std::string_view bytes) {
  const EditorLines lines = SplitLines(bytes);
  if (lines.problem) return lines.problem;
  return DxsChecker(lines.text).Check();
}

}  // namespace dx
