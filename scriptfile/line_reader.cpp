#include "scriptfile/line_reader.h"

namespace dx {
namespace {

constexpr char kEndOfText = 26;

std::string_view ReadableText(std::string_view bytes) {
  return bytes.substr(0, bytes.find(kEndOfText));
}

}  // namespace

LineReader::LineReader(std::string_view bytes)
    : text_(ReadableText(bytes)), line_end_(text_.find('\r') == std::string_view::npos ? '\n' : '\r') {}

std::string LineReader::Next() {
  ++lines_taken_;
  if (AtEnd()) return {};
  std::size_t end = text_.find(line_end_, position_);
  if (end == std::string_view::npos) end = text_.size();
  std::string line(text_.substr(position_, end - position_));
  position_ = end;
  if (position_ < text_.size()) ++position_;  // the CR, or the LF alone
  if (line_end_ == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
  return line;
}

void LineReader::Skip(std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) Next();
}

}  // namespace dx
