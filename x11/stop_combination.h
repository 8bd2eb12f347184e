// Whether a key press completes the stop combination, from the raw key
// events of every keyboard: which keys each device holds down. The
// combination's modifiers may come from any device (the user's keyboard or
// the script's own XTest keys), and other modifiers held meanwhile (a
// Windows key the script holds) do not hide it.
#pragma once

#include <bitset>
#include <map>
#include <vector>

namespace dx::x11 {

class StopCombination {
 public:
  // `key`: the stop key's keycode; `modifiers`: for each modifier the
  // combination needs, the keycodes that give it (both Shift keys, say).
  StopCombination(unsigned key, std::vector<std::vector<unsigned>> modifiers)
      : key_(key), modifiers_(std::move(modifiers)) {}

  // The keys already down when the watch began, device unknown.
  void Seed(const std::bitset<256>& down) { seeded_ = down; }
  // A new keyboard map: other keycodes may give the modifiers now.
  void SetModifiers(std::vector<std::vector<unsigned>> modifiers) { modifiers_ = std::move(modifiers); }

  // A press on device `source`; true when it is the stop key with every
  // modifier of the combination down.
  bool Press(int source, unsigned keycode);
  void Release(int source, unsigned keycode);

 private:
  bool Down(unsigned keycode) const;

  unsigned key_;
  std::vector<std::vector<unsigned>> modifiers_;
  std::map<int, std::bitset<256>> down_;
  std::bitset<256> seeded_;
};

}  // namespace dx::x11
