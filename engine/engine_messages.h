// The texts the engine shows. Status texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "base/message_text.h"

namespace dx {

inline constexpr std::string_view kStatusActive = "skript je aktivn\xC3\xAD";
inline constexpr std::string_view kStatusStopped = "skript byl zastaven";
inline constexpr std::string_view kCaptionGo = "go";
inline constexpr std::string_view kCaptionStop = "stop";
inline constexpr std::string_view kNoWindowMessage = "Please select relative window";

// A line that ends before a character its command must read, e.g.
// "'MOUSE' is not a complete MOUSE command".
inline MessageText IncompleteCommandMessage(std::string_view line, std::string_view command) {
  return MessageText("'").Document(line).Program("' is not a complete ").Program(command).Program(" command");
}

// A closing line without an open block of its kind, e.g.
// "'ENDLOOP' has no open LOOP block".
inline MessageText NoOpenBlockMessage(std::string_view line, std::string_view opener) {
  return MessageText("'").Document(line).Program("' has no open ").Program(opener).Program(" block");
}

}  // namespace dx
