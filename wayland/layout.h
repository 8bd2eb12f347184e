// The desktop layout of a wlroots session in logical pixels: the outputs'
// rectangles, the primary one a script counts from, the bounding box the
// virtual pointer's absolute motion spans, and the output under a point.
// Plain arithmetic, apart from the protocol, so that it is tested without a
// compositor.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace dx::wayland {

struct OutputInfo {
  std::string name;
  // Logical position and size (xdg-output), in the layout's coordinates.
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t scale = 1;  // the integer buffer scale of wl_output
};

struct LayoutBox {
  int64_t x = 0;
  int64_t y = 0;
  int64_t width = 0;
  int64_t height = 0;
};

LayoutBox BoundingBox(std::span<const OutputInfo> outputs);

// The output named `name`; without a name the one whose top-left is 0,0,
// else the first. Null when none matches.
const OutputInfo* PrimaryOutput(std::span<const OutputInfo> outputs, std::string_view name);

// The output that holds the logical point, or null.
const OutputInfo* OutputAt(std::span<const OutputInfo> outputs, int64_t x, int64_t y);

// One absolute motion of the virtual pointer: the compositor puts the
// pointer at box.x + x * box.width / x_extent, so an extent of the box's own
// size lands on whole logical pixels. A point outside the box is clamped to
// its nearest edge pixel.
struct AbsoluteMotion {
  uint32_t x = 0;
  uint32_t y = 0;
  uint32_t x_extent = 1;
  uint32_t y_extent = 1;
};

AbsoluteMotion MotionTo(int64_t x, int64_t y, const LayoutBox& box);

}  // namespace dx::wayland
