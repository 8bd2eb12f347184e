#include "player/status_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <string>

#include "texts/dxplay_texts.h"

namespace dx {

StatusLine::StatusLine(std::FILE* out, bool enabled) : out_(out), enabled_(enabled && isatty(fileno(out))) {
  winsize size{};
  if (enabled_ && ioctl(fileno(out), TIOCGWINSZ, &size) == 0 && size.ws_col > 1) columns_ = size.ws_col;
}

void StatusLine::Draw(int file_line, std::string_view text, uint64_t now_ms) {
  if (!enabled_) return;
  std::string line = dxplay_texts::StatusLine(file_line, text);
  // One column short of the width, so that the terminal never wraps it.
  if (line.size() >= static_cast<std::size_t>(columns_)) line.resize(static_cast<std::size_t>(columns_ - 1));
  // A script's control characters must not steer the terminal.
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  std::fprintf(out_, "\r\033[K%s", line.c_str());
  std::fflush(out_);
  shown_ = true;
  drawn_ms_ = now_ms;
}

void StatusLine::Clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", out_);
  std::fflush(out_);
  shown_ = false;
}

}  // namespace dx
