// One layout's assignment of virtual-key codes to keys, read both ways: the
// key a KEY line presses for a code, and the code a captured key gives.
//
// A layout with a row in windows_layouts is assigned as Windows assigns it.
// Any other layout is assigned as US, except that each Latin letter A-Z
// goes to the key that carries it (FollowLetterLabels), as Windows does
// for its Latin layouts; a layout without Latin letters (Greek, Arabic,
// ...) stays as US, as Windows assigns those.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "keylayout/windows_layouts.h"

namespace dx::keylayout {

class LayoutAssignment {
 public:
  explicit LayoutAssignment(std::string_view xkb_layout);

  // Whether the layout has a row of its own (else it is assigned as US).
  bool Known() const { return known_; }
  const std::string& Name() const { return name_; }

  // `letter_at` gives the lowercase Latin letter ('a'..'z') that the key at
  // a position types without modifiers, 0 for none. Each letter found on a
  // key of the main block moves there; the key that had the letter's code
  // takes the moved key's old code, so that every code stays on one key.
  // Applied to a known layout in its usual form it changes nothing; it
  // follows variants that move letters (QWERTY Czech, Dvorak).
  void FollowLetterLabels(const std::function<char(KeyPosition)>& letter_at);

  std::optional<KeyPosition> PositionOf(uint8_t vk) const;
  // The pad's keys give their digit codes with Num Lock on, their block
  // codes (Insert, End, ...) with it off.
  std::optional<uint8_t> VirtualKeyAt(KeyPosition position, bool num_lock) const;

 private:
  void Assign(KeyPosition position, uint8_t vk, uint8_t vk_without_num_lock);

  static constexpr std::size_t kPositions = 256;
  std::string name_;
  bool known_ = false;
  std::array<KeyPosition, 256> position_of_{};  // 0: no key
  std::array<uint8_t, kPositions> vk_at_{};     // 0: no code
  std::array<uint8_t, kPositions> vk_without_num_lock_at_{};
};

// The code a key slot stores for a key's code, as the Windows program
// records a key pressed in a slot: Shift, Ctrl and Alt of either side as
// their generic codes (10, 11, 12), so AltGr too is 12.
uint8_t SlotCode(uint8_t vk);

}  // namespace dx::keylayout
