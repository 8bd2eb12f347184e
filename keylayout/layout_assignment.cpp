#include "keylayout/layout_assignment.h"

#include <utility>

namespace dx::keylayout {

LayoutAssignment::LayoutAssignment(std::string_view xkb_layout) : name_(xkb_layout) {
  const WindowsLayout* layout = FindWindowsLayout(xkb_layout);
  known_ = layout != nullptr;
  if (layout == nullptr) layout = &UsLayout();
  const auto main_block = MainBlockPositions();
  for (std::size_t i = 0; i < kMainBlockKeys; ++i) Assign(main_block[i], layout->codes[i], layout->codes[i]);
  for (const FixedKey& key : FixedKeys()) Assign(key.position, key.vk, key.vk_without_num_lock);
  // After the keys' own codes, so that these never take a code's key.
  for (const AliasCode& alias : AliasCodes()) {
    if (position_of_[alias.vk] == 0) position_of_[alias.vk] = alias.position;
  }
  for (const FixedKey& key : KeysOfSharedCodes()) {
    vk_at_[key.position] = key.vk;
    vk_without_num_lock_at_[key.position] = key.vk_without_num_lock;
  }
}

void LayoutAssignment::Assign(KeyPosition position, uint8_t vk, uint8_t vk_without_num_lock) {
  vk_at_[position] = vk;
  vk_without_num_lock_at_[position] = vk_without_num_lock;
  position_of_[vk] = position;
}

void LayoutAssignment::FollowLetterLabels(const std::function<char(KeyPosition)>& letter_at) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const auto vk = static_cast<uint8_t>(letter - 'a' + 'A');
    for (const KeyPosition carrier : MainBlockPositions()) {
      if (letter_at(carrier) != letter) continue;
      const KeyPosition had = position_of_[vk];
      if (had != carrier) {
        const uint8_t displaced = vk_at_[carrier];
        Assign(carrier, vk, vk);
        Assign(had, displaced, displaced);
      }
      break;  // a letter on two keys stays on the first
    }
  }
}

std::optional<KeyPosition> LayoutAssignment::PositionOf(uint8_t vk) const {
  if (position_of_[vk] == 0) return std::nullopt;
  return position_of_[vk];
}

std::optional<uint8_t> LayoutAssignment::VirtualKeyAt(KeyPosition position, bool num_lock) const {
  if (position >= kPositions) return std::nullopt;
  const uint8_t vk = num_lock ? vk_at_[position] : vk_without_num_lock_at_[position];
  if (vk == 0) return std::nullopt;
  return vk;
}

uint8_t SlotCode(uint8_t vk) {
  return vk >= 0xA0 && vk <= 0xA5 ? static_cast<uint8_t>(0x10 + (vk - 0xA0) / 2) : vk;
}

}  // namespace dx::keylayout
