#include "base/crlf_lines.h"

#include <algorithm>
#include <cstdint>

namespace dx {

void LineIndex::Assign(std::string text) {
  text_ = std::move(text);
  starts_.assign(1, 0);
  for (size_t at = text_.find("\r\n"); at != std::string::npos; at = text_.find("\r\n", at + 2)) {
    starts_.push_back(at + 2);
  }
}

std::string_view LineIndex::Line(int index) const {
  if (index < 0 || index >= RawLineCount()) return {};
  const size_t start = starts_[static_cast<size_t>(index)];
  const size_t end = static_cast<size_t>(index) + 1 < starts_.size() ? starts_[static_cast<size_t>(index) + 1] - 2
                                                                     : text_.size();
  return std::string_view(text_).substr(start, end - start);
}

int LineIndex::LineOfOffset(int offset) const {
  if (offset <= 0) return 0;
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), static_cast<size_t>(offset));
  return static_cast<int>(after - starts_.begin()) - 1;
}

Selection ClippedSelection(int start, int length, int textLength) {
  const int64_t size = std::max(textLength, 0);
  const int64_t from = std::clamp<int64_t>(start, 0, size);
  const int64_t to = std::clamp<int64_t>(from + std::max(length, 0), 0, size);
  return {static_cast<int>(from), static_cast<int>(to)};
}

std::vector<std::string> DocumentLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string EditTextFromLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  // An empty last line needs a break of its own, or it would be lost.
  if (!lines.empty() && lines.back().empty()) text += "\r\n";
  return text;
}

}  // namespace dx
