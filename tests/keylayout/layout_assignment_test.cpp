// The Windows layouts' codes by key position, both ways.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "keylayout/layout_assignment.h"

namespace dx::keylayout {
namespace {

// evdev codes of the keys the rows name.
enum : KeyPosition {
  kGrave = 41, kOne = 2, kZero = 11, kMinus = 12, kEqual = 13, kQ = 16, kW = 17, kY = 21, kLeftBrace = 26,
  kRightBrace = 27, kA = 30, kSemicolon = 39, kApostrophe = 40, kBackslash = 43, k102nd = 86, kZ = 44, kM = 50,
  kComma = 51, kDot = 52, kSlash = 53, kEnter = 28, kPadEnter = 96, kRightAlt = 100, kLeftShift = 42,
  kPad0 = 82, kPad5 = 76, kPadDot = 83, kF13 = 183, kInsert = 110, kPlay = 164,
};

TEST(LayoutAssignment, CodesOfTheKeysOfEachLayout) {
  struct Case {
    const char* layout;
    KeyPosition position;
    unsigned vk;
  };
  const Case cases[] = {
      {"us", kGrave, 0xC0}, {"us", kMinus, 0xBD}, {"us", kLeftBrace, 0xDB}, {"us", kBackslash, 0xDC},
      {"us", kApostrophe, 0xDE}, {"us", kSlash, 0xBF}, {"us", k102nd, 0xE2}, {"us", kY, 'Y'},
      {"gb", kGrave, 0xDF}, {"gb", kApostrophe, 0xC0}, {"gb", kBackslash, 0xDE}, {"gb", k102nd, 0xDC},
      // German: ß Ü + # Ö Ä ^ < and Z/Y by their labels.
      {"de", kMinus, 0xDB}, {"de", kEqual, 0xDD}, {"de", kLeftBrace, 0xBA}, {"de", kRightBrace, 0xBB},
      {"de", kBackslash, 0xBF}, {"de", kSemicolon, 0xC0}, {"de", kApostrophe, 0xDE}, {"de", kGrave, 0xDC},
      {"de", k102nd, 0xE2}, {"de", kY, 'Z'}, {"de", kZ, 'Y'}, {"de", kSlash, 0xBD}, {"at", kY, 'Z'},
      // French: AZERTY, M right of L, digits on the digit row, ! at the end.
      {"fr", kQ, 'A'}, {"fr", kA, 'Q'}, {"fr", kW, 'Z'}, {"fr", kZ, 'W'}, {"fr", kSemicolon, 'M'},
      {"fr", kM, 0xBC}, {"fr", kComma, 0xBE}, {"fr", kDot, 0xBF}, {"fr", kSlash, 0xDF}, {"fr", kOne, '1'},
      {"fr", kMinus, 0xDB}, {"fr", kLeftBrace, 0xDD}, {"fr", kRightBrace, 0xBA}, {"fr", kGrave, 0xDE},
      {"fr", kApostrophe, 0xC0}, {"fr", kBackslash, 0xDC},
      {"es", kSemicolon, 0xC0}, {"es", kBackslash, 0xBF}, {"es", kGrave, 0xDC}, {"es", kEqual, 0xDD},
      {"it", kLeftBrace, 0xBA}, {"it", kApostrophe, 0xDE}, {"it", kSlash, 0xBD},
      {"pl", kGrave, 0xC0}, {"pl", kSlash, 0xBF},
      {"cz", kMinus, 0xBB}, {"cz", kEqual, 0xBF}, {"cz", kSlash, 0xBD}, {"cz", kSemicolon, 0xBA},
      {"cz", kY, 'Z'}, {"cz", kZ, 'Y'}, {"cz", kGrave, 0xC0},
      {"ru", kA, 'A'}, {"ru", kSemicolon, 0xBA}, {"ru", kDot, 0xBE},  // Cyrillic keys by their US place
      {"ch", kY, 'Z'}, {"ch", kGrave, 0xBF}, {"ch", kBackslash, 0xDF}, {"ch", kApostrophe, 0xDC},
      {"se", kMinus, 0xBB}, {"fi", kLeftBrace, 0xDD}, {"no", kSemicolon, 0xC0}, {"dk", kBackslash, 0xBF},
      {"pt", kLeftBrace, 0xBB}, {"pt", kRightBrace, 0xBA}, {"pt", kSemicolon, 0xC0},
      {"hu", kGrave, '0'}, {"hu", kZero, 0xC0}, {"hu", kMinus, 0xBF}, {"hu", kY, 'Z'},  // 0 left of 1
      // Any other layout is assigned as US.
      {"be", kQ, 'Q'}, {"xx", kMinus, 0xBD},
      // Keys alike on every layout.
      {"de", kEnter, 0x0D}, {"de", kRightAlt, 0xA5}, {"fr", kLeftShift, 0xA0}, {"us", kF13, 0x7C},
      {"us", kInsert, 0x2D}, {"us", kPlay, 0xB3}, {"us", kPad0, 0x60}, {"us", kPadDot, 0x6E},
  };
  for (const Case& c : cases) {
    const LayoutAssignment layout(c.layout);
    EXPECT_EQ(layout.VirtualKeyAt(c.position, true), c.vk) << c.layout << " " << c.position;
    EXPECT_EQ(layout.PositionOf(static_cast<uint8_t>(c.vk)), c.position) << c.layout << " " << c.vk;
  }
}

TEST(LayoutAssignment, CodesWithoutTheirOwnKey) {
  struct Case {
    const char* layout;
    unsigned vk;
    std::optional<KeyPosition> position;  // the key a script presses
  };
  const Case cases[] = {
      {"us", 0x10, kLeftShift}, {"us", 0x11, 29}, {"us", 0x12, 56},  // generic modifiers: the left keys
      {"us", 0x0C, kPad5},      {"us", 0x0D, kEnter},                  // Clear; Enter is the main one
      {"us", 0xDF, {}},         {"de", 0xDF, {}},  {"fr", 0xDF, kSlash},  // OEM 8 only where a layout has it
      {"us", 0x00, {}},         {"us", 0x07, {}},  {"us", 0xFF, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LayoutAssignment(c.layout).PositionOf(static_cast<uint8_t>(c.vk)), c.position) << c.layout << c.vk;
  }
  const LayoutAssignment us("us");
  EXPECT_EQ(us.VirtualKeyAt(kPadEnter, true), 0x0D);
  // The pad without Num Lock: the block keys' codes.
  EXPECT_EQ(us.VirtualKeyAt(kPad0, false), 0x2D);
  EXPECT_EQ(us.VirtualKeyAt(kPad5, false), 0x0C);
  EXPECT_EQ(us.VirtualKeyAt(kPadDot, false), 0x2E);
  EXPECT_EQ(us.VirtualKeyAt(kEnter, false), 0x0D);
  EXPECT_EQ(us.VirtualKeyAt(0, true), std::nullopt);
  EXPECT_EQ(us.VirtualKeyAt(161, true), std::nullopt);  // eject: Windows has no code
  EXPECT_EQ(us.VirtualKeyAt(1000, true), std::nullopt);
  EXPECT_TRUE(us.Known());
  EXPECT_FALSE(LayoutAssignment("be").Known());
}

// Every row gives each of its 48 keys its own code, with all letters and
// digits among them, and a key never has two codes.
TEST(LayoutAssignment, EachRowAssignsEveryKeyOnce) {
  for (const WindowsLayout& row : WindowsLayouts()) {
    std::set<unsigned> codes(row.codes.begin(), row.codes.end());
    EXPECT_EQ(codes.size(), kMainBlockKeys) << row.windows_name;
    for (unsigned c = '0'; c <= '9'; ++c) EXPECT_TRUE(codes.count(c)) << row.windows_name << char(c);
    for (unsigned c = 'A'; c <= 'Z'; ++c) EXPECT_TRUE(codes.count(c)) << row.windows_name << char(c);
  }
  std::set<KeyPosition> positions;
  for (const KeyPosition p : MainBlockPositions()) EXPECT_TRUE(positions.insert(p).second) << p;
  for (const FixedKey& key : FixedKeys()) EXPECT_TRUE(positions.insert(key.position).second) << key.position;
}

TEST(LayoutAssignment, LettersFollowTheirLabels) {
  // Labels as a layout's keys carry them, by position.
  using Labels = std::map<KeyPosition, char>;
  const Labels qwertz = {{kY, 'z'}, {kZ, 'y'}, {kQ, 'q'}};
  const Labels azerty = {{kQ, 'a'}, {kW, 'z'}, {kA, 'q'}, {kZ, 'w'}, {kSemicolon, 'm'}};
  const Labels qwerty_on_cz = {{kY, 'y'}, {kZ, 'z'}};
  struct Case {
    const char* layout;
    const Labels* labels;
    KeyPosition position;
    unsigned vk;
  };
  const Labels none;
  const Case cases[] = {
      {"latam", &qwertz, kY, 'Z'},     {"latam", &qwertz, kZ, 'Y'},      {"latam", &qwertz, kQ, 'Q'},
      {"be", &azerty, kQ, 'A'},        {"be", &azerty, kA, 'Q'},         {"be", &azerty, kSemicolon, 'M'},
      {"be", &azerty, kM, 0xBA},       // the key that lost M takes the code M's key had
      {"cz", &qwerty_on_cz, kY, 'Y'},  {"cz", &qwerty_on_cz, kZ, 'Z'},   // the QWERTY variant
      {"de", &qwertz, kY, 'Z'},        {"de", &qwertz, kSemicolon, 0xC0},  // a known layout keeps its row
      {"ru", &none, kA, 'A'},          {"ru", &none, kY, 'Y'},           // no Latin letters: as US
  };
  for (const Case& c : cases) {
    LayoutAssignment layout(c.layout);
    layout.FollowLetterLabels([&](KeyPosition p) {
      const auto it = c.labels->find(p);
      return it == c.labels->end() ? char{0} : it->second;
    });
    EXPECT_EQ(layout.VirtualKeyAt(c.position, true), c.vk) << c.layout << " " << c.position;
    EXPECT_EQ(layout.PositionOf(static_cast<uint8_t>(c.vk)), c.position) << c.layout << " " << c.vk;
  }
}

TEST(SlotCode, GenericModifiers) {
  const std::pair<unsigned, unsigned> cases[] = {{0xA0, 0x10}, {0xA1, 0x10}, {0xA2, 0x11}, {0xA3, 0x11},
                                                 {0xA4, 0x12}, {0xA5, 0x12}, {0x41, 0x41}, {0xA6, 0xA6}};
  for (const auto& [vk, slot] : cases) EXPECT_EQ(SlotCode(static_cast<uint8_t>(vk)), slot) << vk;
}

}  // namespace
}  // namespace dx::keylayout
