// The one status line of a run on a terminal: the running line's number
// and text, redrawn in place at most once a frame, as the code page's
// highlight is. Silent when the output is no terminal or --quiet is given.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace dx {

class StatusLine {
 public:
  StatusLine(std::FILE* out, bool enabled);

  bool Enabled() const { return enabled_; }
  // True when a frame has passed since the last drawing.
  bool Due(uint64_t now_ms) const { return enabled_ && now_ms - drawn_ms_ >= kFrameMs; }
  void Draw(int file_line, std::string_view text, uint64_t now_ms);
  // Clears the line, so that what is printed next starts on a clean one.
  void Clear();

 private:
  static constexpr uint64_t kFrameMs = 16;
  std::FILE* out_;
  bool enabled_;
  bool shown_ = false;
  int columns_ = 80;
  uint64_t drawn_ms_ = 0;
};

}  // namespace dx
