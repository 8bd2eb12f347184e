// The X11 host's pure parts: the coordinates, the colours,
// window entries and titles.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/crlf_lines.h"
#include "engine/window_entry.h"
#include "engine/mouse_command.h"
#include "x11/monitor.h"
#include "x11/pixel_colour.h"
#include "x11/recorder.h"
#include "x11/windows.h"

namespace dx::x11 {
namespace {

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
