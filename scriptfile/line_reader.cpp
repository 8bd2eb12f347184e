#include "scriptfile/line_reader.h"

namespace dx {
namespace {

constexpr char kEndOfText = 26;

std::string_view ReadableText(std::string_view bytes) {
  return bytes.substr(0, bytes.find(kEndOfText));
}

}  // namespace

LineReader::LineReader(std::string_view bytes) : text_(ReadableText(bytes)) {}

std::string LineReader::Next() {
  ++lines_taken_;
  if (AtEnd()) return {};
  std::size_t end = text_.find('\r', position_);
  if (end == std::string_view::npos) end = text_.size();
  std::string line(text_.substr(position_, end - position_));
  position_ = end;
  if (position_ < text_.size()) ++position_;  // the CR
  if (position_ < text_.size() && text_[position_] == '\n') ++position_;
  return line;
}

void LineReader::Skip(std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) Next();
}

}  // namespace dx
