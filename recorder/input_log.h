// The inputs of one recording as they arrive, cut at the stop: the stop
// key's press ends the log and is not kept, and neither are the presses of
// its modifiers that were still down for it. Ctrl+C in a terminal, which
// stops a recording by a signal, is cut off the same way.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "recorder/recorded_input.h"
#include "texts/key_combination.h"

namespace dx {

// The modifier bit (kModifierShift, ...) of a virtual-key code, 0 for a key
// that is no Shift, Ctrl or Alt.
unsigned ModifierBitOfKey(uint8_t vk);

class InputLog {
 public:
  explicit InputLog(KeyCombination stop_key) : stop_key_(stop_key) {}

  // Keeps the input, unless it is the stop key's press, which stops the
  // log: false from then on, and nothing more is kept.
  bool Add(const RecordedInput& input);
  bool Stopped() const { return stopped_; }

  // After a stop by a signal: drops a Ctrl+C at the end of the log (the
  // terminal's interrupt key, which sent the signal).
  void DropInterruptKey();

  std::span<const RecordedInput> Inputs() const { return inputs_; }

 private:
  // Drops the presses at the end of the log of the modifiers in `bits`
  // that are still down: they were held for the stop, not for the script.
  void DropTrailingModifiers(unsigned bits);

  KeyCombination stop_key_;
  std::vector<RecordedInput> inputs_;
  std::array<bool, 256> key_down_{};
  unsigned held_modifiers_ = 0;
  bool stopped_ = false;
};

}  // namespace dx
