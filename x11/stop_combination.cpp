#include "x11/stop_combination.h"

#include <algorithm>

namespace dx::x11 {

bool StopCombination::Press(int source, unsigned keycode) {
  if (keycode > 255) return false;
  down_[source].set(keycode);
  if (keycode != key_ || key_ == 0) return false;
  return std::all_of(modifiers_.begin(), modifiers_.end(), [this](const std::vector<unsigned>& keys) {
    return std::any_of(keys.begin(), keys.end(), [this](unsigned k) { return Down(k); });
  });
}

void StopCombination::Release(int source, unsigned keycode) {
  if (keycode > 255) return;
  down_[source].reset(keycode);
  // A key held since before the watch is released by whichever device held it.
  seeded_.reset(keycode);
}

bool StopCombination::Down(unsigned keycode) const {
  if (keycode > 255) return false;
  if (seeded_.test(keycode)) return true;
  return std::any_of(down_.begin(), down_.end(), [keycode](const auto& device) { return device.second.test(keycode); });
}

}  // namespace dx::x11
