// The virtual pointer of a run: absolute motion over the layout, relative
// motion, buttons. It remembers the buttons it holds, because a virtual
// pointer that goes away leaves them down in the compositor: its end
// releases them first.
#pragma once

#include <cstdint>
#include <vector>

#include "wayland/layout.h"

struct zwlr_virtual_pointer_v1;

namespace dx::wayland {

class Connection;

class VirtualPointer {
 public:
  explicit VirtualPointer(Connection& connection);
  ~VirtualPointer();
  VirtualPointer(const VirtualPointer&) = delete;
  VirtualPointer& operator=(const VirtualPointer&) = delete;

  void MoveTo(const AbsoluteMotion& motion, uint32_t time);
  void MoveBy(int32_t dx, int32_t dy, uint32_t time);
  // `button` is a Linux input code (BTN_LEFT, ...).
  void Button(uint32_t button, bool down, uint32_t time);
  // Ends one record's events; the compositor applies them together.
  void Frame();
  void ReleaseAll(uint32_t time);

 private:
  Connection& connection_;
  zwlr_virtual_pointer_v1* pointer_;
  std::vector<uint32_t> down_;
};

}  // namespace dx::wayland
