#include "x11/x11_engine_platform.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <climits>
#include <ctime>

#include "base/format_hex.h"
#include "base/script_error.h"
#include "texts/dxplay_texts.h"
#include "x11/button_delivery.h"
#include "x11/pixel_colour.h"
#include "x11/windows.h"

namespace dx::x11 {
namespace {

constexpr int kFocusWaitMs = 500;
// Longer than any window manager takes to replay a click; a pointer frozen
// for longer (or a button a real mouse holds) must not stall the run.
constexpr int kButtonDeliveryWaitMs = 1000;
constexpr unsigned kLastSetOneScanCode = 0x58;  // F12

struct ButtonRow {
  uint32_t down;
  uint32_t up;
  unsigned x_button;
};

// In the order the system applies a record's flags.
constexpr ButtonRow kButtons[] = {
    {kMouseLeftDown, kMouseLeftUp, 1},
    {kMouseRightDown, kMouseRightUp, 3},
    {kMouseMiddleDown, kMouseMiddleUp, 2},
};

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

uint32_t QueriedColour(Display* display, unsigned long pixel) {
  XColor colour{};
  colour.pixel = pixel;
  XQueryColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
  return static_cast<uint32_t>(colour.red >> 8) | static_cast<uint32_t>(colour.green >> 8) << 8 |
         static_cast<uint32_t>(colour.blue >> 8) << 16;
}

bool PointerOnDefaultScreen(Display* display) {
  Window root = 0, child = 0;
  int root_x = 0, root_y = 0, x = 0, y = 0;
  unsigned mask = 0;
  return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &root_x, &root_y, &x, &y, &mask) == True;
}

}  // namespace

uint64_t MonotonicMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}

X11EnginePlatform::X11EnginePlatform(Display* display)
    : display_(display), monitor_(PrimaryMonitor(display)), key_repeat_(display) {}

bool X11EnginePlatform::SendInput(const InputRecord& record) {
  switch (record.Type()) {
    case InputRecord::kTypeMouse: return SendMouse(record);
    case InputRecord::kTypeKeyboard: return SendKey(record);
    default: return false;  // the system refuses any other type
  }
}

bool X11EnginePlatform::SendMouse(const InputRecord& record) {
  const uint32_t flags = record.MouseFlags();
  if ((flags & (kMouseLeftDown | kMouseRightDown | kMouseMiddleDown)) && before_press_) before_press_();
  if (flags & kMouseMove) {
    if (flags & kMouseAbsolute) {
      const RootPoint p = RootPointOfAbsolute(record.MouseDx(), record.MouseDy(), monitor_);
      const int x = ClampToInt(p.x), y = ClampToInt(p.y);
      // XTest moves on the screen the pointer is on, whatever screen it is
      // given: the pointer is first taken to the display's own screen
      // (DISPLAY=:N.1), as a server with one screen never needs. With one
      // screen the point is given for no screen in particular (-1): under
      // Xinerama a screen number would offset it by that head's origin.
      const bool several_screens = ScreenCount(display_) > 1;
      if (several_screens && !PointerOnDefaultScreen(display_)) {
        XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
      }
      XTestFakeMotionEvent(display_, several_screens ? DefaultScreen(display_) : -1, x, y, CurrentTime);
    } else {
      XTestFakeRelativeMotionEvent(display_, record.MouseDx(), record.MouseDy(), CurrentTime);
    }
  }
  for (const ButtonRow& b : kButtons) {
    if (flags & b.down) SendButton(b.x_button, true);
    if (flags & b.up) SendButton(b.x_button, false);
  }
  XFlush(display_);
  return true;
}

void X11EnginePlatform::SendButton(unsigned x_button, bool down) {
  XTestFakeButtonEvent(display_, x_button, down ? True : False, CurrentTime);
  // Nothing more is sent before the server has delivered a release, and with
  // it the press a window manager's grab held back: see button_delivery.h.
  // A press needs no wait of its own, the server handles it at once.
  if (!down) WaitForButtonState(display_, x_button, false, kButtonDeliveryWaitMs);
}

uint16_t X11EnginePlatform::KeyScanCode(uint8_t vk) {
  layout_ = ReadActiveLayout(display_);
  // Outside the extended keys, a key's evdev code is its set 1 scan code.
  const auto position = layout_->assignment.PositionOf(vk);
  return position && !IsExtendedKey(vk) && *position <= kLastSetOneScanCode ? *position : UsLayoutScanCode(vk);
}

const ActiveLayout& X11EnginePlatform::LayoutOfThisLine() {
  if (!layout_) layout_ = ReadActiveLayout(display_);
  return *layout_;
}

bool X11EnginePlatform::SendKey(const InputRecord& record) {
  const uint16_t vk = record.KeyVk();
  const bool release = record.KeyFlags() & kKeyUp;
  if (!release && before_press_) before_press_();
  uint8_t* pressed = vk < pressed_keycodes_.size() ? &pressed_keycodes_[vk] : nullptr;
  unsigned keycode = release && pressed != nullptr ? *pressed : 0;
  if (keycode == 0) {
    const ActiveLayout& layout = LayoutOfThisLine();
    const KeycodeLookup key = KeycodeOfVirtualKey(display_, layout, vk);
    if (!key.layout_has_key) {
      throw ScriptError(dxplay_texts::NoKeyOnLayoutMessage(FormatHex(vk, 2), layout.assignment.Name()));
    }
    if (key.keycode == 0) throw ScriptError(dxplay_texts::NoKeycodeMessage(FormatHex(vk, 2)));
    keycode = key.keycode;
  }
  if (pressed != nullptr) *pressed = release ? 0 : static_cast<uint8_t>(keycode);
  if (!release) key_repeat_.BeforePress(keycode);
  XTestFakeKeyEvent(display_, keycode, release ? False : True, CurrentTime);
  if (release) key_repeat_.AfterRelease(keycode);
  XFlush(display_);
  return true;
}

uint32_t X11EnginePlatform::ReadScreenPixel(int32_t x, int32_t y) {
  const int screen = DefaultScreen(display_);
  const int64_t root_x = int64_t{monitor_.x} + x, root_y = int64_t{monitor_.y} + y;
  if (root_x < 0 || root_y < 0 || root_x >= DisplayWidth(display_, screen) || root_y >= DisplayHeight(display_, screen)) {
    return kOffScreenColour;
  }
  // A failure reports itself as no image (errors outside a trap are ignored).
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), static_cast<int>(root_x), static_cast<int>(root_y),
                            1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return kOffScreenColour;
  const unsigned long pixel = XGetPixel(image, 0, 0);
  const ChannelMasks masks{image->red_mask, image->green_mask, image->blue_mask};
  XDestroyImage(image);
  if (masks.red == 0 && masks.green == 0 && masks.blue == 0) return QueriedColour(display_, pixel);
  return ColourReference(pixel, masks);
}

uint64_t X11EnginePlatform::TickCount() { return MonotonicMilliseconds(); }

void X11EnginePlatform::Beep() {
  XBell(display_, 0);
  XFlush(display_);
}

void X11EnginePlatform::SetForegroundWindow(uint32_t handle) {
  if (handle == 0) return;
  if (!BringToFront(display_, handle, kFocusWaitMs) && focus_refused_) focus_refused_();
}

}  // namespace dx::x11
