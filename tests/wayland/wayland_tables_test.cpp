// The wlroots host's pure parts: the layout arithmetic, the keyboard map,
// the pixel formats and the windows' numbers.
#include <gtest/gtest.h>
#include <wayland-client-protocol.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <vector>

#include "wayland/keymap.h"
#include "wayland/layout.h"
#include "wayland/screencopy.h"
#include "wayland/toplevels.h"

namespace dx::wayland {
namespace {

// 1280x720 at 0,0; a scale-2 output beside it (512x384 logical); one to
// the left of both.
const std::vector<OutputInfo> kOutputs = {
    {"A", 0, 0, 1280, 720, 1}, {"B", 1280, 0, 512, 384, 2}, {"L", -800, 100, 800, 600, 1}};

TEST(Layout, PrimaryBoxAndOutputUnderAPoint) {
  const LayoutBox box = BoundingBox(kOutputs);
  EXPECT_EQ(box.x, -800);
  EXPECT_EQ(box.y, 0);
  EXPECT_EQ(box.width, 2592);
  EXPECT_EQ(box.height, 720);
  EXPECT_EQ(PrimaryOutput(kOutputs, "")->name, "A");
  EXPECT_EQ(PrimaryOutput(kOutputs, "B")->name, "B");
  EXPECT_EQ(PrimaryOutput(kOutputs, "C"), nullptr);
  const std::vector<OutputInfo> none_at_origin = {kOutputs[2], kOutputs[1]};
  EXPECT_EQ(PrimaryOutput(none_at_origin, "")->name, "L");
  struct Case {
    int64_t x, y;
    const char* output;  // nullptr: the gap or outside
  };
  const Case cases[] = {{0, 0, "A"},     {1279, 719, "A"}, {1280, 0, "B"}, {1791, 383, "B"},
                        {1280, 384, nullptr}, {1792, 0, nullptr}, {-1, 100, "L"}, {-800, 699, "L"},
                        {-1, 99, nullptr}};
  for (const Case& c : cases) {
    const OutputInfo* o = OutputAt(kOutputs, c.x, c.y);
    EXPECT_EQ(o != nullptr ? o->name : "-", c.output != nullptr ? c.output : "-") << c.x << "," << c.y;
  }
}

TEST(Layout, MotionLandsOnWholeLogicalPixelsAndClamps) {
  const LayoutBox box = BoundingBox(kOutputs);
  struct Case {
    int64_t x, y;
    uint32_t ax, ay;
  };
  const Case cases[] = {
      {0, 0, 800, 0},          // the primary's top-left, 800 right of the box's
      {-800, 0, 0, 0},         // the left output's edge
      {1791, 719, 2591, 719},  // the box's last pixel
      {5000, 5000, 2591, 719}, // beyond it: the nearest edge pixel
      {-9000, -5, 0, 0},
  };
  for (const Case& c : cases) {
    const AbsoluteMotion m = MotionTo(c.x, c.y, box);
    EXPECT_EQ(m.x, c.ax) << c.x;
    EXPECT_EQ(m.y, c.ay) << c.y;
    EXPECT_EQ(m.x_extent, 2592u);
    EXPECT_EQ(m.y_extent, 720u);
  }
  EXPECT_EQ(MotionTo(3, 3, LayoutBox{}).x_extent, 1u);  // no outputs: never a zero extent
}

struct XkbFree {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
  void operator()(xkb_state* s) const { xkb_state_unref(s); }
};

// Every code the US assignment places is on a key of the map the
// compositor gets; those keys type what a US keyboard types, Shift changes
// letters and digits, and the modifier keys set their modifiers; a German
// map moves Y and Z as Windows does.
TEST(Keymap, EveryCodeIsOnAKeyThatTypesIt) {
  const auto built = BuildKeymap(KeymapSource{});
  ASSERT_TRUE(built);
  EXPECT_EQ(built->text.find("include"), std::string::npos);
  std::unique_ptr<xkb_context, XkbFree> context(xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES));
  std::unique_ptr<xkb_keymap, XkbFree> map(xkb_keymap_new_from_string(
      context.get(), built->text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
  ASSERT_TRUE(map);
  int placed = 0;
  for (unsigned vk = 1; vk < 256; ++vk) {
    const uint32_t keycode = built->keycode_of_vk[vk];
    if (keycode == 0) continue;
    ++placed;
    EXPECT_GE(keycode, 9u) << vk;
    EXPECT_LE(keycode, xkb_keymap_max_keycode(map.get())) << vk;
  }
  EXPECT_GE(placed, 130);
  struct Plain {
    uint8_t vk;
    xkb_keysym_t keysym;
  };
  const Plain plain[] = {{'A', XKB_KEY_a}, {'0', XKB_KEY_0}, {0x0D, XKB_KEY_Return}, {0x25, XKB_KEY_Left},
                         {0x70, XKB_KEY_F1}, {0xBA, XKB_KEY_semicolon}, {0xDE, XKB_KEY_apostrophe},
                         {0x10, XKB_KEY_Shift_L}, {0xA5, XKB_KEY_Alt_R}, {0x2E, XKB_KEY_Delete}};
  for (const Plain& p : plain) {
    const xkb_keysym_t* syms = nullptr;
    ASSERT_GE(xkb_keymap_key_get_syms_by_level(map.get(), built->keycode_of_vk[p.vk], 0, 0, &syms), 1) << unsigned{p.vk};
    EXPECT_EQ(syms[0], p.keysym) << unsigned{p.vk};
  }
  struct Case {
    uint8_t modifier_vk;
    uint8_t vk;
    xkb_keysym_t keysym;
    const char* modifier;  // the modifier active while it is held
  };
  const Case cases[] = {{0x10, 'H', XKB_KEY_H, XKB_MOD_NAME_SHIFT}, {0x10, '1', XKB_KEY_exclam, XKB_MOD_NAME_SHIFT},
                        {0xA1, 0xBA, XKB_KEY_colon, XKB_MOD_NAME_SHIFT}, {0x11, 'A', XKB_KEY_a, XKB_MOD_NAME_CTRL},
                        {0xA5, 'A', XKB_KEY_a, XKB_MOD_NAME_ALT},      {0x5B, 'A', XKB_KEY_a, XKB_MOD_NAME_LOGO}};
  for (const Case& c : cases) {
    std::unique_ptr<xkb_state, XkbFree> state(xkb_state_new(map.get()));
    xkb_state_update_key(state.get(), built->keycode_of_vk[c.modifier_vk], XKB_KEY_DOWN);
    EXPECT_EQ(xkb_state_key_get_one_sym(state.get(), built->keycode_of_vk[c.vk]), c.keysym) << unsigned{c.vk};
    EXPECT_EQ(xkb_state_mod_name_is_active(state.get(), c.modifier, XKB_STATE_MODS_DEPRESSED), 1) << c.modifier;
  }
  // The keys keep their evdev codes (A is KEY_A, 30).
  EXPECT_EQ(built->keycode_of_vk['A'], 30u + 8u);
  const auto german = BuildKeymap(KeymapSource{"de"});
  ASSERT_TRUE(german);
  EXPECT_EQ(german->keycode_of_vk['Z'], 21u + 8u);  // the key right of T
  EXPECT_EQ(german->keycode_of_vk['Y'], 44u + 8u);  // the key right of left Shift
}

TEST(Screencopy, ReadsTheFourByteFormats) {
  const uint8_t bytes[4] = {0x11, 0x22, 0x33, 0x44};  // as the buffer holds them
  struct Case {
    uint32_t format;
    bool readable;
    uint32_t colour;  // red in bits 0-7
  };
  const Case cases[] = {{WL_SHM_FORMAT_XRGB8888, true, 0x112233}, {WL_SHM_FORMAT_ARGB8888, true, 0x112233},
                        {WL_SHM_FORMAT_XBGR8888, true, 0x332211}, {WL_SHM_FORMAT_ABGR8888, true, 0x332211},
                        {WL_SHM_FORMAT_RGB565, false, 0}};
  for (const Case& c : cases) {
    uint32_t colour = 0;
    EXPECT_EQ(ColourOfShmPixel(c.format, bytes, colour), c.readable) << c.format;
    EXPECT_EQ(colour, c.colour) << c.format;
  }
}

TEST(Toplevels, NumbersAreStableDistinctAndNeverZero) {
  EXPECT_EQ(ToplevelId("foot", "shell", 0), ToplevelId("foot", "shell", 0));
  EXPECT_NE(ToplevelId("foot", "shell", 0), ToplevelId("foot", "shell", 1));
  EXPECT_NE(ToplevelId("foot", "shell", 0), ToplevelId("foots", "hell", 0));
  EXPECT_NE(ToplevelId("", "", 0), 0u);
  EXPECT_LE(ToplevelId("wev", "wev", 0), 0x7FFFFFFFu);
}

}  // namespace
}  // namespace dx::wayland
