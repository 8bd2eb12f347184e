// The in-memory editor behaves like the real edit control, and the
// simulated screen and clock answer as documented.
#include <gtest/gtest.h>

#include "sim/ppm_image.h"
#include "tests/support/sim_run.h"

namespace dx {
namespace {

TEST(SimEditor, LinesAndSelectionsLikeTheEditControl) {
  struct Case {
    std::string text;
    int raw_count;
    int script_lines;
    std::vector<std::string> lines;
  } cases[] = {
      {"", 1, 0, {""}},
      {"a", 1, 1, {"a"}},
      {"a\r\n", 2, 1, {"a", ""}},
      {"a\r\n\r\nb", 3, 3, {"a", "", "b"}},
      {"a\nb\rc", 1, 1, {"a\nb\rc"}},  // only CR LF breaks a line
      {"\r\n", 2, 1, {"", ""}},
      {"x\r\r\ny", 2, 2, {"x\r", "y"}},
  };
  for (const auto& c : cases) {
    SimLog log;
    SimMainWindow w(log);
    w.SetEditorText(c.text);
    EXPECT_EQ(w.EditorLineCount(), c.raw_count);
    EXPECT_EQ(ScriptLineCount(w), c.script_lines);
    for (int i = 0; i < c.raw_count; ++i) EXPECT_EQ(w.EditorLine(i), c.lines[static_cast<std::size_t>(i)]);
    EXPECT_EQ(w.EditorLine(c.raw_count), "");
    EXPECT_EQ(w.EditorLine(-1), "");
  }
  struct Sel {
    int start, length, got_start, got_length;
  } selections[] = {{0, 3, 0, 3}, {2, 100, 2, 3}, {5, 2, 5, 0}, {9, 2, 5, 0}, {-3, 2, 0, 2}, {1, -1, 1, 0}};
  SimLog log;
  SimMainWindow w(log);
  w.SetEditorText("ab\r\nc");
  for (const auto& s : selections) {
    w.SelectInEditor(s.start, s.length);
    EXPECT_EQ(w.SelectionStart(), s.got_start);
    EXPECT_EQ(w.EditorSelectionLength(), s.got_length);
  }
}

TEST(SimScreen, PixelsComeFromOverridesPictureAndDefault) {
  RgbImage image;
  ASSERT_EQ(ParsePpm(std::string("P6 2 1 255\n") + std::string("\x01\x02\x03\x04\x05\x06", 6), image), "");
  SimLog log;
  SimPlatform p(log);
  p.SetScreenSize(4, 4);
  p.SetDefaultColour(0x123456);
  p.SetImage(image);
  p.SetPixel(1, 0, 0xAA);
  EXPECT_EQ(p.ReadScreenPixel(0, 0), 0x030201u);
  EXPECT_EQ(p.ReadScreenPixel(1, 0), 0xAAu);
  EXPECT_EQ(p.ReadScreenPixel(3, 3), 0x123456u);
  EXPECT_EQ(p.ReadScreenPixel(4, 0), 0xFFFFFFFFu);
  EXPECT_EQ(p.ReadScreenPixel(0, -1), 0xFFFFFFFFu);
}

TEST(SimScreen, BrokenPicturesAreRefused) {
  const std::string bad[] = {"", "P3 1 1 255\n...", "P6 0 1 255\n", "P6 1 1 65535\n\x01\x02", "P6 2 2 255\nabc",
                             "P6 1 1 255", "P6 99999999 1 255\n"};
  for (const auto& bytes : bad) {
    RgbImage image;
    EXPECT_NE(ParsePpm(bytes, image), "") << bytes;
  }
}

}  // namespace
}  // namespace dx
