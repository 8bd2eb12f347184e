#include "keylayout/windows_layouts.h"

namespace dx::keylayout {
namespace {

// The OEM codes, named as Windows names them.
constexpr uint8_t kOem1 = 0xBA, kOemPlus = 0xBB, kOemComma = 0xBC, kOemMinus = 0xBD, kOemPeriod = 0xBE,
                  kOem2 = 0xBF, kOem3 = 0xC0, kOem4 = 0xDB, kOem5 = 0xDC, kOem6 = 0xDD, kOem7 = 0xDE,
                  kOem8 = 0xDF, kOem102 = 0xE2;

constexpr std::array<KeyPosition, kMainBlockKeys> kMainBlock = {
    41,                                              // left of 1
    2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,  // 1 .. 0 and two more
    16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27,  // upper row
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,      // home row
    43,                                              // left of Enter
    86,                                              // right of left Shift
    44, 45, 46, 47, 48, 49, 50, 51, 52, 53,          // lower row
};

// Each row as the Windows layout of that name assigns its keys.
constexpr WindowsLayout kLayouts[] = {
    {"us", "US",
     {kOem3,                                                                  //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOemMinus, kOemPlus,  //
      'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', kOem4, kOem6,         //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem1, kOem7,              //
      kOem5, kOem102,                                                         //
      'Z', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOem2}},
    // Polish (Programmers) and Russian assign their keys as US does.
    {"pl ru", "Polish (Programmers), Russian",
     {kOem3,                                                                  //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOemMinus, kOemPlus,  //
      'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', kOem4, kOem6,         //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem1, kOem7,              //
      kOem5, kOem102,                                                         //
      'Z', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOem2}},
    {"gb", "United Kingdom",
     {kOem8,                                                                  //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOemMinus, kOemPlus,  //
      'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', kOem4, kOem6,         //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem1, kOem3,              //
      kOem7, kOem5,                                                           //
      'Z', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOem2}},
    // Austria uses the German layout.
    {"de at", "German",
     {kOem5,                                                               //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOem4, kOem6,      //
      'Q', 'W', 'E', 'R', 'T', 'Z', 'U', 'I', 'O', 'P', kOem1, kOemPlus,   //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem3, kOem7,           //
      kOem2, kOem102,                                                      //
      'Y', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOemMinus}},
    {"fr", "French",
     {kOem7,                                                               //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOem4, kOemPlus,   //
      'A', 'Z', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', kOem6, kOem1,      //
      'Q', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 'M', kOem3,             //
      kOem5, kOem102,                                                      //
      'W', 'X', 'C', 'V', 'B', 'N', kOemComma, kOemPeriod, kOem2, kOem8}},
    // Spanish and Italian assign alike.
    {"es it", "Spanish, Italian",
     {kOem5,                                                               //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOem4, kOem6,      //
      'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', kOem1, kOemPlus,   //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem3, kOem7,           //
      kOem2, kOem102,                                                      //
      'Z', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOemMinus}},
    {"ch", "Swiss German",
     {kOem2,                                                               //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOem4, kOem6,      //
      'Q', 'W', 'E', 'R', 'T', 'Z', 'U', 'I', 'O', 'P', kOem1, kOem3,      //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem7, kOem5,           //
      kOem8, kOem102,                                                      //
      'Y', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOemMinus}},
    // Swedish, Finnish, Norwegian and Danish assign alike.
    {"se fi no dk", "Swedish, Finnish, Norwegian, Danish",
     {kOem5,                                                                 //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOemPlus, kOem4,     //
      'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', kOem6, kOem1,        //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem3, kOem7,             //
      kOem2, kOem102,                                                        //
      'Z', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOemMinus}},
    {"pt", "Portuguese",
     {kOem5,                                                               //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOem4, kOem6,      //
      'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', kOemPlus, kOem1,   //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem3, kOem7,           //
      kOem2, kOem102,                                                      //
      'Z', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOemMinus}},
    // Hungarian: 0 left of 1, and O umlaut where other layouts have 0.
    {"hu", "Hungarian",
     {'0',                                                                  //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', kOem3, kOem2, kOemPlus,  //
      'Q', 'W', 'E', 'R', 'T', 'Z', 'U', 'I', 'O', 'P', kOem4, kOem6,       //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem1, kOem7,            //
      kOem5, kOem102,                                                       //
      'Y', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOemMinus}},
    {"cz", "Czech",
     {kOem3,                                                               //
      '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', kOemPlus, kOem2,   //
      'Q', 'W', 'E', 'R', 'T', 'Z', 'U', 'I', 'O', 'P', kOem4, kOem6,      //
      'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', kOem1, kOem7,           //
      kOem5, kOem102,                                                      //
      'Y', 'X', 'C', 'V', 'B', 'N', 'M', kOemComma, kOemPeriod, kOemMinus}},
};

constexpr uint8_t kNoLockSame = 0;  // marks a row whose code is the same without Num Lock

constexpr FixedKey Key(KeyPosition position, uint8_t vk, uint8_t without_num_lock = kNoLockSame) {
  return {position, vk, without_num_lock == kNoLockSame ? vk : without_num_lock};
}

// The same on every layout. Positions are evdev codes.
constexpr FixedKey kFixedKeys[] = {
    Key(1, 0x1B),    Key(14, 0x08),   Key(15, 0x09),   Key(28, 0x0D),  // Escape Backspace Tab Enter
    Key(29, 0xA2),   Key(42, 0xA0),   Key(54, 0xA1),   Key(56, 0xA4),  // left Ctrl, Shifts, left Alt
    Key(97, 0xA3),   Key(100, 0xA5),                                   // right Ctrl, right Alt (AltGr)
    Key(57, 0x20),   Key(58, 0x14),   Key(69, 0x90),   Key(70, 0x91),  // Space Caps Num Scroll
    Key(99, 0x2C),   Key(119, 0x13),                                   // Print Screen, Pause
    Key(125, 0x5B),  Key(126, 0x5C),  Key(127, 0x5D),  Key(142, 0x5F),  // Windows keys, Menu, Sleep
    Key(102, 0x24),  Key(103, 0x26),  Key(104, 0x21),  Key(105, 0x25),  // Home Up PageUp Left
    Key(106, 0x27),  Key(107, 0x23),  Key(108, 0x28),  Key(109, 0x22),  // Right End Down PageDown
    Key(110, 0x2D),  Key(111, 0x2E),                                   // Insert Delete
    Key(59, 0x70),   Key(60, 0x71),   Key(61, 0x72),   Key(62, 0x73),  // F1 ..
    Key(63, 0x74),   Key(64, 0x75),   Key(65, 0x76),   Key(66, 0x77),
    Key(67, 0x78),   Key(68, 0x79),   Key(87, 0x7A),   Key(88, 0x7B),  // .. F12
    Key(183, 0x7C),  Key(184, 0x7D),  Key(185, 0x7E),  Key(186, 0x7F),  // F13 ..
    Key(187, 0x80),  Key(188, 0x81),  Key(189, 0x82),  Key(190, 0x83),
    Key(191, 0x84),  Key(192, 0x85),  Key(193, 0x86),  Key(194, 0x87),  // .. F24
    // The numeric pad: digits with Num Lock, the block keys without.
    Key(82, 0x60, 0x2D), Key(79, 0x61, 0x23), Key(80, 0x62, 0x28), Key(81, 0x63, 0x22),
    Key(75, 0x64, 0x25), Key(76, 0x65, 0x0C), Key(77, 0x66, 0x27), Key(71, 0x67, 0x24),
    Key(72, 0x68, 0x26), Key(73, 0x69, 0x21), Key(83, 0x6E, 0x2E),
    Key(55, 0x6A),   Key(78, 0x6B),   Key(121, 0x6C),  Key(74, 0x6D),  Key(98, 0x6F),  // * + separator - /
    // Browser and media keys.
    Key(158, 0xA6),  Key(159, 0xA7),  Key(173, 0xA8),  Key(128, 0xA9),  // back forward refresh stop
    Key(217, 0xAA),  Key(156, 0xAB),  Key(172, 0xAC),                   // search favourites home
    Key(113, 0xAD),  Key(114, 0xAE),  Key(115, 0xAF),                   // mute, volume down, up
    Key(163, 0xB0),  Key(165, 0xB1),  Key(166, 0xB2),  Key(164, 0xB3),  // next previous stop play
    Key(155, 0xB4),  Key(226, 0xB5),  Key(157, 0xB6),  Key(140, 0xB7),  // mail media app1 app2
};

constexpr AliasCode kAliasCodes[] = {
    {0x10, 42}, {0x11, 29}, {0x12, 56},  // generic Shift, Ctrl, Alt: the left keys
    {0x0C, 76},                          // Clear: the pad's 5
};

constexpr FixedKey kKeysOfSharedCodes[] = {
    Key(96, 0x0D),  // the pad's Enter
};

constexpr bool IsNameIn(std::string_view names, std::string_view name) {
  while (!names.empty()) {
    const std::size_t blank = names.find(' ');
    if (names.substr(0, blank) == name) return true;
    if (blank == std::string_view::npos) break;
    names.remove_prefix(blank + 1);
  }
  return false;
}

}  // namespace

std::span<const KeyPosition, kMainBlockKeys> MainBlockPositions() { return kMainBlock; }

std::span<const WindowsLayout> WindowsLayouts() { return kLayouts; }

const WindowsLayout& UsLayout() { return kLayouts[0]; }

const WindowsLayout* FindWindowsLayout(std::string_view xkb_layout) {
  for (const WindowsLayout& layout : kLayouts) {
    if (IsNameIn(layout.xkb_names, xkb_layout)) return &layout;
  }
  return nullptr;
}

std::span<const FixedKey> FixedKeys() { return kFixedKeys; }

std::span<const AliasCode> AliasCodes() { return kAliasCodes; }

std::span<const FixedKey> KeysOfSharedCodes() { return kKeysOfSharedCodes; }

}  // namespace dx::keylayout
