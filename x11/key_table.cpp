#include "x11/key_table.h"

#include <X11/keysym.h>

#include <array>

namespace dx::x11 {
namespace {

constexpr KeyRow Row(unsigned vk, unsigned long keysym) {
  return {static_cast<uint8_t>(vk), static_cast<uint32_t>(keysym)};
}

// Runs of consecutive codes and keysyms (digits, letters, function keys,
// the numeric pad's digits) are added by Build.
struct Run {
  unsigned first_vk;
  unsigned long first_keysym;
  unsigned count;
};

constexpr Run kRuns[] = {
    {'0', XK_0, 10},
    {'A', XK_a, 26},  // the unshifted keysym: KEY $41 presses the key, as on Windows
    {0x60, XK_KP_0, 10},
    {0x70, XK_F1, 24},
};

constexpr KeyRow kSingles[] = {
    Row(0x08, XK_BackSpace),
    Row(0x09, XK_Tab),
    Row(0x0C, XK_Clear),
    Row(0x0D, XK_Return),
    Row(0x10, XK_Shift_L),  // generic modifiers first: see VirtualKeyOfKeysym
    Row(0x11, XK_Control_L),
    Row(0x12, XK_Alt_L),
    Row(0x13, XK_Pause),
    Row(0x14, XK_Caps_Lock),
    Row(0x1B, XK_Escape),
    Row(0x20, XK_space),
    Row(0x21, XK_Prior),
    Row(0x22, XK_Next),
    Row(0x23, XK_End),
    Row(0x24, XK_Home),
    Row(0x25, XK_Left),
    Row(0x26, XK_Up),
    Row(0x27, XK_Right),
    Row(0x28, XK_Down),
    Row(0x2C, XK_Print),
    Row(0x2D, XK_Insert),
    Row(0x2E, XK_Delete),
    Row(0x5B, XK_Super_L),
    Row(0x5C, XK_Super_R),
    Row(0x5D, XK_Menu),
    Row(0x6A, XK_KP_Multiply),
    Row(0x6B, XK_KP_Add),
    Row(0x6C, XK_KP_Separator),
    Row(0x6D, XK_KP_Subtract),
    Row(0x6E, XK_KP_Decimal),
    Row(0x6F, XK_KP_Divide),
    Row(0x90, XK_Num_Lock),
    Row(0x91, XK_Scroll_Lock),
    Row(0xA0, XK_Shift_L),
    Row(0xA1, XK_Shift_R),
    Row(0xA2, XK_Control_L),
    Row(0xA3, XK_Control_R),
    Row(0xA4, XK_Alt_L),
    Row(0xA5, XK_Alt_R),
    // The punctuation keys of a US keyboard, by their unshifted keysym.
    Row(0xBA, XK_semicolon),
    Row(0xBB, XK_equal),
    Row(0xBC, XK_comma),
    Row(0xBD, XK_minus),
    Row(0xBE, XK_period),
    Row(0xBF, XK_slash),
    Row(0xC0, XK_grave),
    Row(0xDB, XK_bracketleft),
    Row(0xDC, XK_backslash),
    Row(0xDD, XK_bracketright),
    Row(0xDE, XK_apostrophe),
};

constexpr std::size_t RunRows() {
  std::size_t n = 0;
  for (const Run& r : kRuns) n += r.count;
  return n;
}

constexpr auto Build() {
  std::array<KeyRow, RunRows() + std::size(kSingles)> rows{};
  std::size_t at = 0;
  // Singles first, so that the generic modifiers stay ahead of their
  // variants whatever the runs hold.
  for (const KeyRow& row : kSingles) rows[at++] = row;
  for (const Run& r : kRuns) {
    for (unsigned i = 0; i < r.count; ++i) rows[at++] = Row(r.first_vk + i, r.first_keysym + i);
  }
  return rows;
}

constexpr auto kTable = Build();

// The keysym of every code, 0 for none, so that a key record costs no search.
constexpr auto BuildByCode() {
  std::array<uint32_t, 256> by_code{};
  for (const KeyRow& row : kTable) by_code[row.vk] = row.keysym;
  return by_code;
}

constexpr auto kKeysymByCode = BuildByCode();

}  // namespace

std::span<const KeyRow> KeyTable() { return kTable; }

std::optional<uint32_t> KeysymOfVirtualKey(uint8_t vk) {
  if (kKeysymByCode[vk] == 0) return std::nullopt;
  return kKeysymByCode[vk];
}

namespace {

// The Windows program records either Shift, Ctrl or Alt as the generic
// code (10, 11, 12), whichever side was pressed.
constexpr uint8_t GenericModifier(uint8_t vk) {
  return vk >= 0xA0 && vk <= 0xA5 ? static_cast<uint8_t>(0x10 + (vk - 0xA0) / 2) : vk;
}

}  // namespace

std::optional<uint8_t> VirtualKeyOfKeysym(uint32_t keysym) {
  for (const KeyRow& row : kTable) {
    if (row.keysym == keysym) return GenericModifier(row.vk);
  }
  return std::nullopt;
}

}  // namespace dx::x11
