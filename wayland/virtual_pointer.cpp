#include "wayland/virtual_pointer.h"

#include <wayland-client.h>

#include <algorithm>

#include "wayland/connection.h"
#include "wlr-virtual-pointer-unstable-v1-client.h"

namespace dx::wayland {

VirtualPointer::VirtualPointer(Connection& connection)
    : connection_(connection),
      pointer_(zwlr_virtual_pointer_manager_v1_create_virtual_pointer(connection.Global().pointer_manager,
                                                                      connection.Global().seat)) {}

VirtualPointer::~VirtualPointer() {
  ReleaseAll(0);
  zwlr_virtual_pointer_v1_destroy(pointer_);
  connection_.Flush();
}

void VirtualPointer::MoveTo(const AbsoluteMotion& m, uint32_t time) {
  zwlr_virtual_pointer_v1_motion_absolute(pointer_, time, m.x, m.y, m.x_extent, m.y_extent);
}

void VirtualPointer::MoveBy(int32_t dx, int32_t dy, uint32_t time) {
  zwlr_virtual_pointer_v1_motion(pointer_, time, wl_fixed_from_int(dx), wl_fixed_from_int(dy));
}

void VirtualPointer::Button(uint32_t button, bool down, uint32_t time) {
  const auto held = std::find(down_.begin(), down_.end(), button);
  if (down && held == down_.end()) down_.push_back(button);
  if (!down && held != down_.end()) down_.erase(held);
  zwlr_virtual_pointer_v1_button(pointer_, time, button,
                                 down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
}

void VirtualPointer::Frame() { zwlr_virtual_pointer_v1_frame(pointer_); }

void VirtualPointer::ReleaseAll(uint32_t time) {
  if (down_.empty()) return;
  while (!down_.empty()) Button(down_.back(), false, time);
  Frame();
  connection_.Flush();
}

}  // namespace dx::wayland
