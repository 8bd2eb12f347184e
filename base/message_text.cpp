#include "base/message_text.h"

namespace dx {

MessageText& MessageText::Add(TextPart::Encoding encoding, std::string_view text) {
  if (text.empty()) return *this;
  if (!parts_.empty() && parts_.back().encoding == encoding) {
    parts_.back().bytes += text;
  } else {
    parts_.push_back({encoding, std::string(text)});
  }
  return *this;
}

MessageText& MessageText::Program(std::string_view text) { return Add(TextPart::Encoding::Program, text); }

MessageText& MessageText::Document(std::string_view text) { return Add(TextPart::Encoding::Document, text); }

std::string MessageText::Bytes() const {
  std::string bytes;
  for (const TextPart& part : parts_) bytes += part.bytes;
  return bytes;
}

MessageText WithFullStop(MessageText message) {
  const auto& parts = message.Parts();
  if (!parts.empty() && static_cast<unsigned char>(parts.back().bytes.back()) > '.') message.Program(".");
  return message;
}

}  // namespace dx
