#include "texts/key_combination.h"

#include <gtest/gtest.h>

namespace dx {
namespace {

TEST(KeyCombination, NamesAsTheUserReadsThem) {
  constexpr unsigned kAll = kModifierAlt | kModifierControl | kModifierShift;
  struct Case {
    unsigned modifiers;
    uint16_t key;
    const char* layoutName;
    const char* want;
  };
  const Case cases[] = {
      {kAll, 0x7B, "", "Ctrl+Alt+Shift+F12"},    // modifiers in this order, whatever the bits
      {0, 0x70, "", "F1"},                       // first and last function key
      {kModifierShift, 0x87, "", "Shift+F24"},
      {kModifierAlt, 'A', "Ignored", "Alt+A"},   // letters and digits never ask the layout
      {kModifierControl, '0', "", "Ctrl+0"},
      {kModifierControl, 0x2E, "Del", "Ctrl+Del"},
      {0, 0xE2, "", "key E2"},                    // no layout name: the field's code
  };
  for (const Case& c : cases) EXPECT_EQ(CombinationName(c.modifiers, c.key, c.layoutName), c.want) << c.want;
}

TEST(KeyCombination, ReadsWhatAUserWrites) {
  constexpr unsigned kCtrlAlt = kModifierControl | kModifierAlt;
  struct Case {
    const char* text;
    std::optional<KeyCombination> want;
  };
  const Case cases[] = {
      {"ctrl+alt+F11", KeyCombination{kCtrlAlt, 0x7A}},
      {"Ctrl+Alt+Shift+F12", KeyCombination{kCtrlAlt | kModifierShift, 0x7B}},  // as CombinationName writes it
      {"SHIFT+control+f24", KeyCombination{kModifierShift | kModifierControl, 0x87}},
      {"alt+q", KeyCombination{kModifierAlt, 'Q'}},
      {"9", KeyCombination{0, '9'}},
      {"ctrl+ctrl+F1", std::nullopt},  // a modifier twice
      {"ctrl+alt+", std::nullopt},     // no key
      {"ctrl+alt", std::nullopt},      // a modifier is no key
      {"win+F1", std::nullopt},
      {"ctrl+F25", std::nullopt},
      {"ctrl+F0", std::nullopt},
      {"ctrl+Del", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseCombination(c.text), c.want) << c.text;
}

}  // namespace
}  // namespace dx
