// Scan codes of a US keyboard and the keys sent with the extended prefix.
#include <gtest/gtest.h>

#include <set>

#include "engine/keyboard_keys.h"

namespace dx {
namespace {

TEST(KeyboardKeys, UsScanCodesAndExtendedKeys) {
  const KeyboardKey cases[] = {
      {0x41, 0x1E, false}, {0x5A, 0x2C, false}, {0x30, 0x0B, false}, {0x31, 0x02, false},  // A Z 0 1
      {0x0D, 0x1C, false}, {0x10, 0x2A, false}, {0x11, 0x1D, false}, {0x12, 0x38, false},  // Enter Shift Ctrl Alt
      {0x70, 0x3B, false}, {0x79, 0x44, false}, {0x7A, 0x57, false}, {0x7B, 0x58, false},  // F1 F10 F11 F12
      {0x25, 0x4B, true},  {0x26, 0x48, true},  {0x27, 0x4D, true},  {0x28, 0x50, true},   // arrows
      {0x2D, 0x52, true},  {0x2E, 0x53, true},  {0x24, 0x47, true},  {0x23, 0x4F, true},   // Ins Del Home End
      {0x21, 0x49, true},  {0x22, 0x51, true},  {0xA3, 0x1D, true},  {0xA5, 0x38, true},   // PgUp PgDn RCtrl RAlt
      {0x90, 0x45, true},  {0x6F, 0x35, true},  {0x2C, 0x37, true},                        // NumLock Divide PrtSc
      {0x5B, 0x5B, true},  {0x5C, 0x5C, true},  {0x5D, 0x5D, true},                        // Windows, application
      {0x64, 0x4B, false}, {0x13, 0x45, false}, {0xA1, 0x36, false}, {0xAD, 0x20, true},   // pad 4 Pause RShift mute
      {0x00, 0x00, false}, {0x07, 0x00, false}, {0xFF, 0x00, false},                       // no such key
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UsLayoutScanCode(c.vk), c.us_scan) << int(c.vk);
    EXPECT_EQ(IsExtendedKey(c.vk), c.extended) << int(c.vk);
  }
  std::set<uint8_t> seen;
  for (const KeyboardKey& k : KeyboardKeys()) {
    EXPECT_TRUE(seen.insert(k.vk).second) << "two rows for " << int(k.vk);
    EXPECT_NE(k.us_scan, 0) << int(k.vk);
  }
}

}  // namespace
}  // namespace dx
