// What a recorder sees of the user's input, as any host reports it: button
// and key transitions with their time and, for buttons, the point in script
// coordinates (from the primary monitor's top-left). Pointer paths are not
// part of it: only where a button went down or up matters to a script.
#pragma once

#include <cstdint>

namespace dx {

enum class RecordedKind : uint8_t { ButtonDown, ButtonUp, KeyDown, KeyUp };
enum class RecordedButton : uint8_t { Left, Right, Middle };

struct RecordedPoint {
  int64_t x = 0;
  int64_t y = 0;
  bool operator==(const RecordedPoint&) const = default;
};

struct RecordedInput {
  RecordedKind kind = RecordedKind::KeyDown;
  int64_t time_ms = 0;  // any clock that only goes forward
  RecordedButton button = RecordedButton::Left;  // button transitions
  uint8_t vk = 0;                                // key transitions: the virtual-key code
  RecordedPoint at;                              // button transitions

  bool IsKey() const { return kind == RecordedKind::KeyDown || kind == RecordedKind::KeyUp; }
  bool IsDown() const { return kind == RecordedKind::ButtonDown || kind == RecordedKind::KeyDown; }
};

}  // namespace dx
