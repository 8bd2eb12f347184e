#include "recorder/input_log.h"

#include <array>

namespace dx {
namespace {

constexpr uint8_t kInterruptKey = 0x43;  // C, with Ctrl

// Which modifiers are down after the inputs, counted from their own downs
// and ups (a key already down when the recording began counts as up).
class HeldKeys {
 public:
  void Apply(const RecordedInput& input) {
    if (input.IsKey()) down_[input.vk] = input.kind == RecordedKind::KeyDown;
  }
  bool IsDown(uint8_t vk) const { return down_[vk]; }
  unsigned ModifierBits() const {
    unsigned bits = 0;
    for (unsigned vk = 0; vk < down_.size(); ++vk) {
      if (down_[vk]) bits |= ModifierBitOfKey(static_cast<uint8_t>(vk));
    }
    return bits;
  }

 private:
  std::array<bool, 256> down_{};
};

}  // namespace

unsigned ModifierBitOfKey(uint8_t vk) {
  switch (vk) {
    case 0x10: case 0xA0: case 0xA1: return kModifierShift;
    case 0x11: case 0xA2: case 0xA3: return kModifierControl;
    case 0x12: case 0xA4: case 0xA5: return kModifierAlt;
    default: return 0;
  }
}

bool InputLog::Add(const RecordedInput& input) {
  if (stopped_) return false;
  if (input.kind == RecordedKind::KeyDown && input.vk == stop_key_.key && held_modifiers_ == stop_key_.modifiers) {
    stopped_ = true;
    DropTrailingModifiers(stop_key_.modifiers);
    return false;
  }
  inputs_.push_back(input);
  if (input.IsKey()) {
    key_down_[input.vk] = input.kind == RecordedKind::KeyDown;
    held_modifiers_ = 0;
    for (unsigned vk = 0; vk < key_down_.size(); ++vk) {
      if (key_down_[vk]) held_modifiers_ |= ModifierBitOfKey(static_cast<uint8_t>(vk));
    }
  }
  return true;
}

void InputLog::DropTrailingModifiers(unsigned bits) {
  while (!inputs_.empty()) {
    const RecordedInput& last = inputs_.back();
    if (last.kind != RecordedKind::KeyDown || (ModifierBitOfKey(last.vk) & bits) == 0) return;
    inputs_.pop_back();
  }
}

void InputLog::DropInterruptKey() {
  HeldKeys held;
  std::size_t cut = inputs_.size();
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    const RecordedInput& input = inputs_[i];
    if (input.kind == RecordedKind::KeyDown && input.vk == kInterruptKey &&
        (held.ModifierBits() & kModifierControl) != 0) {
      cut = i;
    } else if (cut < i && !(input.kind == RecordedKind::KeyUp &&
                            (input.vk == kInterruptKey || ModifierBitOfKey(input.vk) != 0))) {
      cut = inputs_.size();  // something else came after that Ctrl+C
    }
    held.Apply(input);
  }
  if (cut == inputs_.size()) return;
  inputs_.resize(cut);
  DropTrailingModifiers(kModifierControl);
}

}  // namespace dx
