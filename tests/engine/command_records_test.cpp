// The exact 28 bytes that MOUSE and KEY lines send, as upper-case hex in
// memory order: type, dx/wVk+wScan, dy/key flags, mouseData/time,
// mouse flags/dwExtraInfo, time, dwExtraInfo.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/mouse_command.h"
#include "tests/support/sim_run.h"

namespace dx {
namespace {

std::string Mouse(const char* dx, const char* dy, const char* flags) {
  return std::string("00000000") + dx + dy + "00000000" + flags + "0000000000000000";
}

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", (value >> (8 * i)) & 0xFF);
    out += pair;
  }
  return out;
}

// A key record: type 1, wVk, wScan, dwFlags, time 0, dwExtraInfo (the
// last mouse flags), and the bytes beyond the keyboard view.
std::string Key(uint8_t vk, uint16_t scan, uint32_t flags, const char* extra_info = "00000000") {
  return "01000000" + Le(vk, 2) + Le(scan, 2) + Le(flags, 4) + "00000000" + extra_info + "0000000000000000";
}

struct RecordCase {
  const char* name;
  std::vector<std::string> lines;
  int width;
  int height;
  std::vector<std::string> expected;
};

TEST(CommandRecords, MouseAndKeyLinesSendTheseBytes) {
  const std::string move_7 = Mouse("00800000", "00800000", "01800000");  // slot 7 = 512,384
  const RecordCase cases[] = {
      {"move to slot 7", {"MOUSE GO 7"}, 1024, 768, {move_7}},
      {"lower case", {"mouse go 7"}, 1024, 768, {move_7}},
      {"literal, 51.2 * 1279 rounds up", {"MOUSE GO .1279.0"}, 1280, 1024, {Mouse("CDFF0000", "00000000", "01800000")}},
      {"literal, centre of 1920", {"MOUSE GO .960.540"}, 1920, 1080, {Mouse("00800000", "00800000", "01800000")}},
      {"halves go to even", {"MOUSE GO .1.3"}, 131072, 131072, {Mouse("00000000", "02000000", "01800000")}},
      {"no clamping", {"MOUSE GO .-10.800"}, 1024, 768, {Mouse("80FDFFFF", "AB0A0100", "01800000")}},
      {"slot outside 1..20 keeps the point",
       {"MOUSE GO .10.20", "MOUSE GO 0", "MOUSE GO 21", "MOUSE GO -1"}, 1024, 768,
       std::vector<std::string>(4, Mouse("80020000", "AB060000", "01800000"))},
      {"left click", {"MOUSE LC"}, 1024, 768, {Mouse("00000000", "00000000", "02000000"), Mouse("00000000", "00000000", "04000000")}},
      {"right down, middle up", {"mouse rd", "MOUSE MU"}, 1024, 768,
       {Mouse("00000000", "00000000", "08000000"), Mouse("00000000", "00000000", "40000000")}},
      {"LX after LC sends a second release", {"MOUSE LC", "MOUSE LX"}, 1024, 768,
       {Mouse("00000000", "00000000", "02000000"), Mouse("00000000", "00000000", "04000000"),
        Mouse("00000000", "00000000", "04000000")}},
      {"unknown action resends", {"MOUSE GO 7", "MOUSE Q"}, 1024, 768, {move_7, move_7}},
      {"trailing blank after a button action is ignored", {"MOUSE RU "}, 1024, 768,
       {Mouse("00000000", "00000000", "10000000")}},
      {"key press", {"KEY $41 PRESS"}, 1024, 768, {Key(0x41, 0x1E, 0), Key(0x41, 0x1E, kKeyUp)}},
      {"key press, lower case, both words", {"key $41 press up"}, 1024, 768,
       {Key(0x41, 0x1E, 0), Key(0x41, 0x1E, kKeyUp)}},
      {"key slot with #, down only", {"KEY #03"}, 1024, 768, {Key(0x10, 0x2A, 0)}},
      {"key slot release", {"KEY 03 UP"}, 1024, 768, {Key(0x10, 0x2A, kKeyUp)}},
      {"number outside 1..40 is the code", {"KEY 65 PRESS"}, 1024, 768, {Key(0x41, 0x1E, 0), Key(0x41, 0x1E, kKeyUp)}},
      {"slot with three digits gives the low byte", {"KEY 04"}, 1024, 768, {Key(0xFF, 0, 0)}},
      {"negative slot number is its low byte", {"KEY -1"}, 1024, 768, {Key(0xFF, 0, 0)}},
      {"extended key, literal, up keeps the flag", {"KEY $25 PRESS"}, 1024, 768,
       {Key(0x25, 0x4B, kKeyExtended), Key(0x25, 0x4B, kKeyExtended | kKeyUp)}},
      {"extended key from a slot", {"KEY #05 UP"}, 1024, 768, {Key(0x2E, 0x53, kKeyExtended | kKeyUp)}},
      {"extended key as the code itself (46 = Delete)", {"KEY 46"}, 1024, 768, {Key(0x2E, 0x53, kKeyExtended)}},
      {"pad 4 shares Left's scan code, not extended", {"KEY $64"}, 1024, 768, {Key(0x64, 0x4B, 0)}},
      // dx 128000 = 0x1F400 and -10 = 0xFFFFFFF6: the key's scan code, not
      // the upper half of dx; dwExtraInfo keeps the mouse flags, and the
      // later mouse record carries the key's code, scan code and flags.
      {"KEY after a move off the right edge", {"MOUSE GO .2000.0", "KEY $41", "MOUSE ?"}, 1024, 768,
       {Mouse("00F40100", "00000000", "01800000"), Key(0x41, 0x1E, 0, "01800000"),
        Mouse("41001E00", "00000000", "01800000")}},
      {"slot KEY after a move off the left edge", {"MOUSE GO .-1.5", "KEY 03 UP"}, 1024, 768,
       {Mouse("C0FFFFFF", "AB010000", "01800000"), Key(0x10, 0x2A, kKeyUp, "01800000")}},
      {"code-form KEY after a move on the screen (45 = Insert)", {"MOUSE GO 7", "KEY 45 PRESS"}, 1024, 768,
       {move_7, Key(0x2D, 0x52, kKeyExtended, "01800000"), Key(0x2D, 0x52, kKeyExtended | kKeyUp, "01800000")}},
      {"extended flags show in a later mouse dy", {"KEY $26 UP", "MOUSE Q"}, 1024, 768,
       {Key(0x26, 0x48, kKeyExtended | kKeyUp), Mouse("26004800", "03000000", "00000000")}},
  };
  for (const auto& c : cases) {
    test::SimRun run(c.lines);
    run.platform.SetScreenSize(c.width, c.height);
    run.window.SetLocation(7, "512", "384");
    run.window.SetKeySlot(3, "10");
    run.window.SetKeySlot(4, "1FF");
    run.window.SetKeySlot(5, "2E");
    run.Go(static_cast<int64_t>(c.lines.size()));
    EXPECT_FALSE(run.error) << c.name << ": " << *run.error;
    auto sent = run.SentHex();
    // Whatever the run left pressed is released after the lines' records.
    sent.resize(std::min(sent.size(), c.expected.size()));
    EXPECT_EQ(sent, c.expected) << c.name;
  }
}

TEST(CommandRecords, NormalisationIsQuotientFirstHalfEvenUnclamped) {
  struct Case {
    int32_t pixel;
    int extent;
    int32_t expected;
  } cases[] = {
      {100, 1024, 6400},     {200, 768, 17067},       {1279, 1280, 65485}, {960, 1920, 32768},
      {1, 131072, 0},        {3, 131072, 2},          {5, 131072, 2},      {-1, 131072, 0},
      {-3, 131072, -2},      {1024, 1024, 65536},     {-5000, 1024, -320000},
      {2147483647, 1, static_cast<int32_t>(0xFFFF0000u)},  // wraps as the 32-bit field holds it
      {10, 0, 0},            {0, 0, 0},
      // Points that plain rounding would put one pixel short of.
      {70, 768, 5974},       {1, 768, 86},            {767, 768, 65451},   {2, 768, 171},
      // ... and points on a monitor beside the primary one.
      {-10, 1366, -479},     {1400, 1366, 67168},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormaliseCoordinate(c.pixel, c.extent), c.expected) << c.pixel << " / " << c.extent;
  }
}

TEST(CommandRecords, ScreenSizeIsReadOnEveryMove) {
  test::SimRun run({"MOUSE GO .512.384", "MOUSE GO .512.384"});
  run.window.AtDelivery(1, [&] { run.platform.SetScreenSize(2048, 1536); });
  run.Go(2);
  const auto sent = run.SentHex();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], Mouse("00800000", "00800000", "01800000"));
  EXPECT_EQ(sent[1], Mouse("00400000", "00400000", "01800000"));
}

}  // namespace
}  // namespace dx
