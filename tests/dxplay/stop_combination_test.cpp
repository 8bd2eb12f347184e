// The stop combination read from raw key events of several devices.
#include "x11/stop_combination.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dx::x11 {
namespace {

// Keycodes of this table: 96 the stop key, 37/105 Ctrl, 64 Alt, 50/62
// Shift, 133 Super, 38 a. Events are "+K" (press) or "-K" on device D,
// written "D+K"; the result is whether the last press was a stop.
TEST(StopCombination, SeesThePressWithItsModifiersFromAnyDevice) {
  struct Case {
    const char* name;
    std::vector<std::string> events;
    bool stops;
  };
  const Case cases[] = {
      {"user's Ctrl+Alt+Shift+F12", {"3+37", "3+64", "3+50", "3+96"}, true},
      {"right Ctrl and right Shift", {"3+105", "3+64", "3+62", "3+96"}, true},
      {"the key alone", {"3+96"}, false},
      {"a modifier missing", {"3+37", "3+64", "3+96"}, false},
      {"a modifier released before the key", {"3+37", "3+64", "3+50", "3-50", "3+96"}, false},
      {"the script holds Super", {"9+133", "3+37", "3+64", "3+50", "3+96"}, true},
      {"the script holds Shift, the user the rest", {"9+50", "3+37", "3+64", "3+96"}, true},
      {"the script types the combination", {"9+37", "9+64", "9+50", "9+96"}, true},
      {"Shift let go on one device, still down on the other", {"9+50", "3+50", "3-50", "3+37", "3+64", "3+96"}, true},
      {"a key held since before the watch", {"S50", "3+37", "3+64", "3+96"}, true},
      {"... and released since", {"S50", "9-50", "3+37", "3+64", "3+96"}, false},
      {"another key pressed last", {"3+37", "3+64", "3+50", "3+96", "3+38"}, false},
  };
  for (const Case& c : cases) {
    StopCombination stop(96, {{37, 105}, {64}, {50, 62}});
    bool last = false;
    for (const std::string& e : c.events) {
      if (e[0] == 'S') {
        std::bitset<256> seeded;
        seeded.set(std::stoul(e.substr(1)));
        stop.Seed(seeded);
        continue;
      }
      const std::size_t sign = e.find_first_of("+-");
      const int device = std::stoi(e.substr(0, sign));
      const auto key = static_cast<unsigned>(std::stoul(e.substr(sign + 1)));
      if (e[sign] == '+') last = stop.Press(device, key);
      else stop.Release(device, key);
    }
    EXPECT_EQ(last, c.stops) << c.name;
  }
}

}  // namespace
}  // namespace dx::x11
