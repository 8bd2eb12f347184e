#include "base/script_error.h"

namespace dx {

std::string FullStopMessage(const std::string& message) { return WithFullStop(MessageText(message)).Bytes(); }

}  // namespace dx
