// Splits the bytes of a script file into lines the way the file has always
// been read: a CR ends a line, a LF directly behind it belongs to that line
// end, and any other LF is an ordinary character. A text without any CR
// ends its lines with LF alone: no file the program wrote is one, and such
// a file is what an editor on Linux makes of one. A byte 26 (Ctrl+Z) ends
// the readable text like the end of the file does; past that end every
// line reads as the empty line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dx {

class LineReader {
 public:
  explicit LineReader(std::string_view bytes);

  // The next line without its line end; the empty line past the end.
  std::string Next();
  void Skip(std::size_t count);

  // True once the readable text is used up: every further line is one
  // that the file does not hold.
  bool AtEnd() const { return position_ >= text_.size(); }

  // How many lines Next and Skip have taken, those past the end included.
  int LinesTaken() const { return lines_taken_; }

 private:
  std::string_view text_;
  char line_end_;
  std::size_t position_ = 0;
  int lines_taken_ = 0;
};

}  // namespace dx
