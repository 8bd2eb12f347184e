#include "base/script_error.h"

namespace dx {

std::string FullStopMessage(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace dx
