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

}  // namespace
}  // namespace dx
