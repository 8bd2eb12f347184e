// The X11 host's pure parts: the key table, the coordinates, the colours,
// window entries and titles.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/crlf_lines.h"
#include "engine/window_entry.h"
#include "engine/mouse_command.h"
#include "x11/key_table.h"
#include "x11/monitor.h"
#include "x11/pixel_colour.h"
#include "x11/recorder.h"
#include "x11/windows.h"

namespace dx::x11 {
namespace {

TEST(KeyTable, CoversTheListedKeysOnceEach) {
  struct Range {
    unsigned first, last;
  };
  // Backspace, Tab, Clear, Enter; Shift, Ctrl, Alt, Pause, Caps Lock; Escape;
  // Space to Down; Print, Insert, Delete; digits; letters; Windows keys and
  // Menu; the numeric pad; F1-F24; Num Lock, Scroll Lock; left and right
  // modifiers; the US punctuation keys.
  const Range listed[] = {{0x08, 0x09}, {0x0C, 0x0D}, {0x10, 0x14}, {0x1B, 0x1B}, {0x20, 0x28}, {0x2C, 0x2E},
                          {'0', '9'},   {'A', 'Z'},   {0x5B, 0x5D}, {0x60, 0x6F}, {0x70, 0x87}, {0x90, 0x91},
                          {0xA0, 0xA5}, {0xBA, 0xC0}, {0xDB, 0xDE}};
  std::set<unsigned> wanted;
  for (const Range& r : listed) {
    for (unsigned vk = r.first; vk <= r.last; ++vk) wanted.insert(vk);
  }
  std::map<unsigned, uint32_t> seen;
  for (const KeyRow& row : KeyTable()) {
    EXPECT_TRUE(seen.emplace(row.vk, row.keysym).second) << "two rows for " << unsigned{row.vk};
    EXPECT_TRUE(wanted.count(row.vk)) << "unlisted " << unsigned{row.vk};
  }
  for (const unsigned vk : wanted) EXPECT_TRUE(seen.count(vk)) << "no row for " << vk;
}

TEST(KeyTable, MapsBothWays) {
  struct Case {
    unsigned vk;
    std::optional<uint32_t> keysym;
    std::optional<unsigned> back;  // the code a capture of that keysym stores
  };
  const Case cases[] = {
      {0x41, 0x61, 0x41},      // A: the unshifted keysym a
      {0x5A, 0x7A, 0x5A},      {0x30, 0x30, 0x30},      {0x0D, 0xFF0D, 0x0D},  // Z, 0, Return
      {0x70, 0xFFBE, 0x70},    {0x87, 0xFFD5, 0x87},    // F1, F24
      {0x60, 0xFFB0, 0x60},    {0x6F, 0xFFAF, 0x6F},    // KP_0, KP_Divide
      {0x10, 0xFFE1, 0x10},    {0xA0, 0xFFE1, 0x10},    // Shift_L: the generic code is stored
      {0xA2, 0xFFE3, 0x11},    {0xA4, 0xFFE9, 0x12},    // Control_L, Alt_L
      {0xA1, 0xFFE2, 0x10},    {0xA3, 0xFFE4, 0x11},    {0xA5, 0xFFEA, 0x12},  // right ones: generic too
      {0x5C, 0xFFEC, 0x5C},    // Super_R keeps its own code, as the Windows key does
      {0xBA, 0x3B, 0xBA},      {0xC0, 0x60, 0xC0},      {0xDE, 0x27, 0xDE},    // ; ` '
      {0x21, 0xFF55, 0x21},    {0x2E, 0xFFFF, 0x2E},    // Prior, Delete
      {0x00, std::nullopt, {}}, {0xE2, std::nullopt, {}}, {0xFF, std::nullopt, {}},
  };
  for (const Case& c : cases) {
    const auto keysym = KeysymOfVirtualKey(static_cast<uint8_t>(c.vk));
    EXPECT_EQ(keysym, c.keysym) << c.vk;
    if (!keysym) continue;
    const auto back = VirtualKeyOfKeysym(*keysym);
    ASSERT_TRUE(back) << c.vk;
    EXPECT_EQ(unsigned{*back}, *c.back) << c.vk;
  }
  for (const KeyRow& row : KeyTable()) EXPECT_TRUE(VirtualKeyOfKeysym(row.keysym)) << unsigned{row.vk};
}

TEST(Coordinates, AbsoluteMovesLandOnTheirPixel) {
  struct Case {
    int32_t dx, dy;
    MonitorRect monitor;
    int64_t x, y;
  };
  const Case cases[] = {
      {6400, 17067, {0, 0, 1024, 768}, 100, 200},
      {65535, 65535, {0, 0, 1024, 768}, 1023, 767},
      {-64, 0, {1024, 0, 1024, 768}, 1023, 0},      // one pixel left of a primary at x 1024
      {-65536, -85, {1024, 768, 1024, 768}, 0, 767},  // the first pixel of the monitor at its left
      {-1, -1, {0, 0, 1024, 768}, -1, -1},           // truncation goes towards minus infinity
      {65536, 0, {-1920, 0, 1920, 1080}, 0, 0},      // a primary that lies left of the root's origin
  };
  for (const Case& c : cases) {
    const RootPoint p = RootPointOfAbsolute(c.dx, c.dy, c.monitor);
    EXPECT_EQ(p.x, c.x) << c.dx;
    EXPECT_EQ(p.y, c.y) << c.dy;
  }
  // A captured point, normalised by the engine, is the point played: on the
  // primary and on monitors beside it.
  const MonitorRect monitors[] = {{0, 0, 1024, 768}, {1024, 0, 1366, 768}, {1920, 0, 1920, 1080}, {0, 0, 1280, 1024}};
  for (const MonitorRect& m : monitors) {
    for (int32_t pixel = -m.width; pixel < 2 * m.width; ++pixel) {
      const RootPoint root = RootPointOfAbsolute(NormaliseCoordinate(pixel, m.width), 0, m);
      ASSERT_EQ(MonitorPointOfRoot(root.x, root.y, m).x, pixel) << m.width;
    }
  }
}

// The positions the server records where Xinerama joins X screens: the
// first screen at root 1024,0, the second left of it at 0,0.
TEST(Coordinates, RecordedPositionsOnJoinedScreens) {
  const std::vector<MonitorRect> joined = {{1024, 0, 1024, 768}, {0, 0, 1024, 768}};
  struct Case {
    int x, y;
    std::vector<MonitorRect> screens;
    int64_t root_x, root_y;
  } cases[] = {
      {476, 200, joined, 1500, 200},   // on the first screen: no extra shift
      {-1948, 300, joined, 100, 300},  // on the second: shifted by -1024 twice
      {100, 300, {}, 100, 300},        // one screen: as recorded
  };
  for (const Case& c : cases) {
    const RootPoint p = DesktopPointOfRecorded(c.x, c.y, c.screens);
    EXPECT_EQ(p.x, c.root_x) << c.x;
    EXPECT_EQ(p.y, c.root_y) << c.x;
  }
}

TEST(PixelColour, VisualsGiveTheColourReference) {
  struct Case {
    uint64_t pixel;
    ChannelMasks masks;
    uint32_t want;
  };
  const ChannelMasks kTrue24{0xFF0000, 0xFF00, 0xFF};
  const ChannelMasks kRgb565{0xF800, 0x7E0, 0x1F};
  const ChannelMasks kDeep30{0x3FF00000, 0xFFC00, 0x3FF};
  const Case cases[] = {
      {0x123456, kTrue24, 0x563412}, {0xFF0000, kTrue24, 0x0000FF}, {0x0000FF, kTrue24, 0xFF0000},
      {0xFF123456, kTrue24, 0x563412},  // bits outside the masks (alpha) are dropped
      {0xFFFF, kRgb565, 0xFFFFFF},   {0xF800, kRgb565, 0x0000FF},   {0x0400, kRgb565, 0x008200},
      {0x3FF00000, kDeep30, 0x0000FF}, {0x000FFC00, kDeep30, 0x00FF00}, {0, kDeep30, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ColourReference(c.pixel, c.masks), c.want) << std::hex << c.pixel;
}

TEST(WindowEntries, HandlesAndTitles) {
  struct Case {
    const char* entry;
    std::optional<uint32_t> handle;
  };
  const Case cases[] = {
      {"0000ABCD - Editor", 0xABCD}, {"0040000A", 0x40000A}, {"FFFFFFFF - ", 0xFFFFFFFF},
      {"0000abcd - Editor", {}},     {"0000ABC - Editor", {}}, {"0000ABCD-Editor", {}},
      {"0000ABCDE", {}},             {"", {}},                 {"0000ABCD -", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(StrictHandleOfWindowEntry(c.entry), c.handle) << c.entry;
  EXPECT_EQ(WindowEntry(0x40000A, "xterm"), "0040000A - xterm");

  const std::string long_ascii(250, 'a');
  std::string long_utf8;
  for (int i = 0; i < 250; ++i) long_utf8 += "\xC3\xA9";  // é
  struct TitleCase {
    std::string title, want;
  };
  const TitleCase titles[] = {
      {"xterm", "xterm"},
      {long_ascii, std::string(199, 'a')},
      {long_utf8, long_utf8.substr(0, 198)},       // 199 bytes would split the 100th character
      {"two\nlines\ttab", "two lines tab"},        // an entry stays one line
  };
  for (const TitleCase& t : titles) EXPECT_EQ(EntryTitle(t.title), t.want);
}

TEST(LineIndex, LineOfOffset) {
  LineIndex lines;
  lines.Assign("ab\r\n\r\ncd");
  const std::pair<int, int> cases[] = {{-1, 0}, {0, 0}, {3, 0}, {4, 1}, {6, 2}, {8, 2}, {99, 2}};
  for (const auto& [offset, line] : cases) EXPECT_EQ(lines.LineOfOffset(offset), line) << offset;
}

}  // namespace
}  // namespace dx::x11
