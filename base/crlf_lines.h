// Lines of a multi-line edit's text. The edit breaks lines at CR LF only;
// its raw line count counts an empty last line ("" has 1 line, "a\r\n" 2).
// Documents hold lines without that empty last line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dx {

// The text of an edit and where each of its raw lines starts, so that a
// line is found without walking the text.
class LineIndex {
 public:
  void Assign(std::string text);
  int RawLineCount() const { return static_cast<int>(starts_.size()); }
  // Raw line `index` without its break; "" when out of range.
  std::string_view Line(int index) const;
  const std::string& Text() const { return text_; }
  // The raw line that holds the character at `offset` (an offset at a
  // line's start belongs to that line; beyond the text, the last line).
  int LineOfOffset(int offset) const;

 private:
  std::string text_;
  std::vector<size_t> starts_{0};
};

// A selection as an edit holds it: start <= end, both within the text.
struct Selection {
  int start = 0;
  int end = 0;
  bool operator==(const Selection&) const = default;
};

// The selection an edit makes when asked to select `length` characters
// from `start` in a text of `textLength` characters: both ends clipped to
// the text.
Selection ClippedSelection(int start, int length, int textLength);

// Document lines of an edit's text: split at CR LF, an empty last line
// not counted.
std::vector<std::string> DocumentLines(std::string_view text);

// The edit text for document lines: joined with CR LF, plus one more CR LF
// when the last line is empty, so that DocumentLines gives the same lines
// back.
std::string EditTextFromLines(const std::vector<std::string>& lines);

}  // namespace dx
