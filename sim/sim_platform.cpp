#include "sim/sim_platform.h"

#include "engine/keyboard_keys.h"

namespace dx {
namespace {

SimEvent Event(SimEvent::Kind kind, int64_t a = 0, int64_t b = 0, int64_t c = 0) {
  SimEvent e{kind};
  e.a = a;
  e.b = b;
  e.c = c;
  return e;
}

}  // namespace

bool SimPlatform::SendInput(const InputRecord& record) {
  SimEvent e{SimEvent::Kind::SendInput};
  e.record = record;
  log_.Add(std::move(e));
  if (++inputs_sent_ != refuse_at_) return true;
  log_.Add(SimEvent(SimEvent::Kind::InputRefused));
  return false;
}

uint16_t SimPlatform::KeyScanCode(uint8_t vk) { return UsLayoutScanCode(vk); }

bool SimPlatform::HasHigherRights(uint32_t) { return target_higher_; }

int SimPlatform::ScreenWidth() {
  log_.Add(Event(SimEvent::Kind::ScreenWidth, width_));
  return width_;
}

int SimPlatform::ScreenHeight() {
  log_.Add(Event(SimEvent::Kind::ScreenHeight, height_));
  return height_;
}

uint32_t SimPlatform::ReadScreenPixel(int32_t x, int32_t y) {
  uint32_t colour = kOffScreenColour;
  if (x >= 0 && y >= 0 && x < width_ && y < height_) {
    colour = default_colour_;
    if (image_ && x < image_->width && y < image_->height) colour = image_->ColourAt(x, y);
    if (auto it = pixels_.find({x, y}); it != pixels_.end()) colour = it->second;
  }
  log_.Add(Event(SimEvent::Kind::ReadScreenPixel, x, y, colour));
  return colour;
}

uint64_t SimPlatform::TickCount() {
  const uint64_t now = now_;
  now_ += step_;
  log_.Add(Event(SimEvent::Kind::TickCount, static_cast<int64_t>(now)));
  return now;
}

void SimPlatform::Beep() { log_.Add(Event(SimEvent::Kind::Beep)); }

void SimPlatform::MakeMainWindowNotTopmost() { log_.Add(Event(SimEvent::Kind::MakeMainWindowNotTopmost)); }

void SimPlatform::SetForegroundWindow(uint32_t handle) {
  log_.Add(Event(SimEvent::Kind::SetForegroundWindow, handle));
}

}  // namespace dx
