// The one error type of the program: a failure that carries the message the
// user is shown. Runs, loads and saves end where it is thrown; the top level
// shows it (with a full stop, see WithFullStop) in an error box.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "base/message_text.h"

namespace dx {

class ScriptError : public std::runtime_error {
 public:
  // what() gives the message's bytes as they are.
  explicit ScriptError(MessageText message)
      : std::runtime_error(message.Bytes()), message_(std::move(message)) {}
  const MessageText& Message() const { return message_; }

 private:
  MessageText message_;
};

// FullStop for a message held as bytes.
std::string FullStopMessage(const std::string& message);

}  // namespace dx
