// The one error type of the program: a failure that carries the message the
// user is shown. Runs, loads and saves end where it is thrown; the top level
// shows it (with FullStopMessage) in an error box.
#pragma once

#include <stdexcept>
#include <string>

namespace dx {

class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(const std::string& message) : std::runtime_error(message) {}
};

// The message as the error box shows it: a "." is appended when the last
// character sorts after "." (code 46), compared as an unsigned byte.
std::string FullStopMessage(const std::string& message);

}  // namespace dx
