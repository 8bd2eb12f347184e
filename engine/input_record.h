// The one synthetic-input record of a run: 28 bytes laid out like the
// 32-bit Windows INPUT structure. The mouse and keyboard views overlay the
// same bytes, so a KEY line leaves its key code where the mouse dx lives and
// a later unrecognised MOUSE action resends whatever the bytes hold.
//
// Fields are stored little-endian at fixed offsets and read back through
// accessors, which keeps the overlay exact without type punning.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace dx {

class InputRecord {
 public:
  static constexpr std::size_t kSize = 28;
  static constexpr uint32_t kTypeMouse = 0;
  static constexpr uint32_t kTypeKeyboard = 1;

  // Byte offsets of both views.
  static constexpr std::size_t kType = 0;
  static constexpr std::size_t kMouseDx = 4;
  static constexpr std::size_t kMouseDy = 8;
  static constexpr std::size_t kMouseData = 12;
  static constexpr std::size_t kMouseFlags = 16;
  static constexpr std::size_t kMouseTime = 20;
  static constexpr std::size_t kMouseExtraInfo = 24;
  static constexpr std::size_t kKeyVk = 4;
  static constexpr std::size_t kKeyScan = 6;
  static constexpr std::size_t kKeyFlags = 8;
  static constexpr std::size_t kKeyTime = 12;
  static constexpr std::size_t kKeyExtraInfo = 16;

  const std::array<uint8_t, kSize>& Bytes() const { return bytes_; }

  uint32_t Type() const { return Get32(kType); }
  void SetType(uint32_t type) { Put32(kType, type); }

  // Mouse view.
  int32_t MouseDx() const { return static_cast<int32_t>(Get32(kMouseDx)); }
  int32_t MouseDy() const { return static_cast<int32_t>(Get32(kMouseDy)); }
  uint32_t MouseData() const { return Get32(kMouseData); }
  uint32_t MouseFlags() const { return Get32(kMouseFlags); }
  uint32_t MouseTime() const { return Get32(kMouseTime); }
  uint32_t MouseExtraInfo() const { return Get32(kMouseExtraInfo); }
  void SetMouseDx(int32_t dx) { Put32(kMouseDx, static_cast<uint32_t>(dx)); }
  void SetMouseDy(int32_t dy) { Put32(kMouseDy, static_cast<uint32_t>(dy)); }
  void SetMouseFlags(uint32_t flags) { Put32(kMouseFlags, flags); }

  // Keyboard view.
  uint16_t KeyVk() const { return Get16(kKeyVk); }
  uint16_t KeyScan() const { return Get16(kKeyScan); }
  uint32_t KeyFlags() const { return Get32(kKeyFlags); }
  uint32_t KeyTime() const { return Get32(kKeyTime); }
  uint32_t KeyExtraInfo() const { return Get32(kKeyExtraInfo); }
  void SetKeyVk(uint16_t vk) { Put16(kKeyVk, vk); }
  void SetKeyScan(uint16_t scan) { Put16(kKeyScan, scan); }
  void SetKeyFlags(uint32_t flags) { Put32(kKeyFlags, flags); }

 private:
  uint32_t Get32(std::size_t at) const {
    return static_cast<uint32_t>(bytes_[at]) | static_cast<uint32_t>(bytes_[at + 1]) << 8 |
           static_cast<uint32_t>(bytes_[at + 2]) << 16 | static_cast<uint32_t>(bytes_[at + 3]) << 24;
  }
  uint16_t Get16(std::size_t at) const {
    return static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
  }
  void Put32(std::size_t at, uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  void Put16(std::size_t at, uint16_t v) {
    bytes_[at] = static_cast<uint8_t>(v);
    bytes_[at + 1] = static_cast<uint8_t>(v >> 8);
  }

  std::array<uint8_t, kSize> bytes_{};
};

// Mouse dwFlags values the engine uses.
inline constexpr uint32_t kMouseMove = 0x0001;
inline constexpr uint32_t kMouseLeftDown = 0x0002;
inline constexpr uint32_t kMouseLeftUp = 0x0004;
inline constexpr uint32_t kMouseRightDown = 0x0008;
inline constexpr uint32_t kMouseRightUp = 0x0010;
inline constexpr uint32_t kMouseMiddleDown = 0x0020;
inline constexpr uint32_t kMouseMiddleUp = 0x0040;
inline constexpr uint32_t kMouseAbsolute = 0x8000;
struct MouseButton {
  char letter;  // as a MOUSE line names it
  uint32_t down;
  uint32_t up;
};

inline constexpr MouseButton kMouseButtons[] = {
    {'L', kMouseLeftDown, kMouseLeftUp},
    {'R', kMouseRightDown, kMouseRightUp},
    {'M', kMouseMiddleDown, kMouseMiddleUp},
};

// Keyboard dwFlags values: the scan code comes with the extended prefix;
// a release.
inline constexpr uint32_t kKeyExtended = 0x0001;
inline constexpr uint32_t kKeyUp = 0x0002;

}  // namespace dx
