// A text the program shows, kept in parts by encoding: the program's own
// words are UTF-8, while text quoted from a document (a script line, a slot)
// keeps the bytes of the machine's ANSI code page. The window converts each
// part from its own encoding; logs and the simulator print the bytes as
// they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dx {

struct TextPart {
  enum class Encoding { Program, Document };
  Encoding encoding;
  std::string bytes;
};

class MessageText {
 public:
  MessageText() = default;
  // The program's own words only.
  MessageText(std::string_view program) { Program(program); }  // NOLINT: a program text is a message
  MessageText(const char* program) : MessageText(std::string_view(program)) {}  // NOLINT
  MessageText(const std::string& program) : MessageText(std::string_view(program)) {}  // NOLINT

  MessageText& Program(std::string_view text);
  MessageText& Document(std::string_view text);

  const std::vector<TextPart>& Parts() const { return parts_; }
  // All parts joined, byte for byte.
  std::string Bytes() const;

 private:
  MessageText& Add(TextPart::Encoding encoding, std::string_view text);
  std::vector<TextPart> parts_;
};

// The message as the error box shows it: a "." is appended when the last
// byte sorts after "." (code 46), compared as an unsigned byte.
MessageText WithFullStop(MessageText message);

}  // namespace dx
