#include "wayland/wayland_engine_platform.h"

#include <unistd.h>

#include <wayland-client.h>

#include <chrono>
#include <thread>

#include "base/format_hex.h"
#include "base/script_error.h"
#include "engine/mouse_command.h"
#include "texts/wayland_texts.h"
#include "wayland/connection.h"

namespace dx::wayland {
namespace {


// A seat that had no pointer or no keyboard gains one with these devices
// and loses it with them. Its clients bind a new device, and what arrives
// before they have is lost; and the events sent last before the devices go
// were seen lost too (sway 1.7, headless). Both ends are given this long
// there; a seat with devices of its own costs nothing.
constexpr auto kNewSeatDeviceSettle = std::chrono::milliseconds(250);
constexpr auto kLastEventsSettle = std::chrono::milliseconds(150);

bool SeatLacksDevices(uint32_t capabilities) {
  constexpr uint32_t kBoth = WL_SEAT_CAPABILITY_POINTER | WL_SEAT_CAPABILITY_KEYBOARD;
  return (capabilities & kBoth) != kBoth;
}

struct ButtonRow {
  uint32_t down;
  uint32_t up;
  uint32_t code;  // Linux input codes BTN_LEFT, BTN_RIGHT, BTN_MIDDLE
};

// In the order the system applies a record's flags.
constexpr ButtonRow kButtons[] = {
    {kMouseLeftDown, kMouseLeftUp, 0x110},
    {kMouseRightDown, kMouseRightUp, 0x111},
    {kMouseMiddleDown, kMouseMiddleUp, 0x112},
};

}  // namespace

WaylandEnginePlatform::WaylandEnginePlatform(Connection& connection, const OutputInfo& primary,
                                             const BuiltKeymap& keymap)
    : connection_(connection),
      primary_(primary),
      outputs_(connection.Outputs()),
      box_(BoundingBox(outputs_)),
      keycode_of_vk_(keymap.keycode_of_vk),
      seat_lacked_devices_(SeatLacksDevices(connection.Global().seat_capabilities)),
      pointer_(connection),
      keyboard_(connection, keymap) {
  if (connection.Global().screencopy_manager != nullptr && connection.Global().shm != nullptr) {
    screencopy_.emplace(connection);
  }
  // The devices exist once the compositor has handled their creation.
  connection_.Roundtrip();
  if (seat_lacked_devices_) std::this_thread::sleep_for(kNewSeatDeviceSettle);
}

WaylandEnginePlatform::~WaylandEnginePlatform() {
  ReleaseAll();
  if (seat_lacked_devices_) {
    connection_.Roundtrip();
    std::this_thread::sleep_for(kLastEventsSettle);
  }
}

void WaylandEnginePlatform::ReleaseAll() {
  pointer_.ReleaseAll(Time());
  keyboard_.ReleaseAll(Time());
  connection_.Flush();
}

bool WaylandEnginePlatform::SendInput(const InputRecord& record) {
  switch (record.Type()) {
    case InputRecord::kTypeMouse: return SendMouse(record);
    case InputRecord::kTypeKeyboard: return SendKey(record);
    default: return false;  // the system refuses any other type
  }
}

bool WaylandEnginePlatform::SendMouse(const InputRecord& record) {
  const uint32_t flags = record.MouseFlags();
  const uint32_t time = Time();
  if (flags & kMouseMove) {
    if (flags & kMouseAbsolute) {
      const int64_t x = primary_.x + PixelOfAbsolute(record.MouseDx(), primary_.width);
      const int64_t y = primary_.y + PixelOfAbsolute(record.MouseDy(), primary_.height);
      pointer_.MoveTo(MotionTo(x, y, box_), time);
    } else {
      pointer_.MoveBy(record.MouseDx(), record.MouseDy(), time);
    }
  }
  for (const ButtonRow& b : kButtons) {
    if (flags & b.down) pointer_.Button(b.code, true, time);
    if (flags & b.up) pointer_.Button(b.code, false, time);
  }
  pointer_.Frame();
  connection_.Flush();
  return true;
}

bool WaylandEnginePlatform::SendKey(const InputRecord& record) {
  const uint16_t vk = record.KeyVk();
  const uint32_t keycode = vk < keycode_of_vk_.size() ? keycode_of_vk_[vk] : 0;
  if (keycode == 0) throw ScriptError(wayland_texts::NoKeyInKeymapMessage(FormatHex(vk, 2)));
  keyboard_.Key(keycode, !(record.KeyFlags() & kKeyUp), Time());
  connection_.Flush();
  return true;
}

uint32_t WaylandEnginePlatform::ReadScreenPixel(int32_t x, int32_t y) {
  const int64_t lx = int64_t{primary_.x} + x, ly = int64_t{primary_.y} + y;
  const OutputInfo* info = OutputAt(outputs_, lx, ly);
  if (info == nullptr) return kOffScreenColour;
  if (!screencopy_) throw ScriptError(std::string(wayland_texts::kNoScreencopyMessage));
  const Output* output = connection_.OutputNamed(info->name);
  if (output == nullptr) return kOffScreenColour;  // the output went away during the run
  return screencopy_->PixelAt(output->output, static_cast<int32_t>(lx - info->x), static_cast<int32_t>(ly - info->y));
}

uint64_t WaylandEnginePlatform::TickCount() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void WaylandEnginePlatform::Beep() {
  if (isatty(STDERR_FILENO)) {
    [[maybe_unused]] const ssize_t n = write(STDERR_FILENO, "\a", 1);
  }
}

void WaylandEnginePlatform::SetForegroundWindow(uint32_t handle) {
  if (handle != 0 && bring_to_front_) bring_to_front_(handle);
}

}  // namespace dx::wayland
