#include "engine/record_label.h"

#include <iterator>
#include <utility>

#include "base/format_hex.h"
#include "engine/mouse_command.h"

namespace dx {

std::string RecordLabel(const InputRecord& record, int screen_width, int screen_height) {
  if (record.Type() == InputRecord::kTypeKeyboard) {
    const uint32_t flags = record.KeyFlags();
    return "key " + FormatHex(record.KeyVk(), 2) + ((flags & kKeyUp) != 0 ? " up" : " down") +
           ((flags & kKeyExtended) != 0 ? ", extended" : "");
  }
  if (record.Type() != InputRecord::kTypeMouse) return "type " + std::to_string(record.Type());
  const uint32_t flags = record.MouseFlags();
  std::string label;
  if ((flags & kMouseMove) != 0) {
    label = (flags & kMouseAbsolute) != 0
                ? "move " + std::to_string(PixelOfAbsolute(record.MouseDx(), screen_width)) + "," +
                      std::to_string(PixelOfAbsolute(record.MouseDy(), screen_height))
                : "move by " + std::to_string(record.MouseDx()) + "," + std::to_string(record.MouseDy());
  }
  static constexpr const char* kButtonWords[] = {"left", "right", "middle"};  // in the order of kMouseButtons
  for (std::size_t i = 0; i < std::size(kMouseButtons); ++i) {
    for (const auto& [flag, what] : {std::pair{kMouseButtons[i].down, " down"}, std::pair{kMouseButtons[i].up, " up"}}) {
      if ((flags & flag) == 0) continue;
      label += (label.empty() ? "" : ", ") + std::string(kButtonWords[i]) + what;
    }
  }
  return label.empty() ? "mouse, no action" : label;
}

}  // namespace dx
