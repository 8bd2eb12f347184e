#include "wayland/layout.h"

#include <algorithm>
#include <limits>

namespace dx::wayland {

LayoutBox BoundingBox(std::span<const OutputInfo> outputs) {
  if (outputs.empty()) return {};
  int64_t left = std::numeric_limits<int64_t>::max(), top = left;
  int64_t right = std::numeric_limits<int64_t>::min(), bottom = right;
  for (const OutputInfo& o : outputs) {
    left = std::min<int64_t>(left, o.x);
    top = std::min<int64_t>(top, o.y);
    right = std::max<int64_t>(right, int64_t{o.x} + o.width);
    bottom = std::max<int64_t>(bottom, int64_t{o.y} + o.height);
  }
  return {left, top, right - left, bottom - top};
}

const OutputInfo* PrimaryOutput(std::span<const OutputInfo> outputs, std::string_view name) {
  if (!name.empty()) {
    const auto it = std::find_if(outputs.begin(), outputs.end(), [&](const OutputInfo& o) { return o.name == name; });
    return it != outputs.end() ? &*it : nullptr;
  }
  const auto origin = std::find_if(outputs.begin(), outputs.end(), [](const OutputInfo& o) { return o.x == 0 && o.y == 0; });
  if (origin != outputs.end()) return &*origin;
  return outputs.empty() ? nullptr : &outputs.front();
}

const OutputInfo* OutputAt(std::span<const OutputInfo> outputs, int64_t x, int64_t y) {
  for (const OutputInfo& o : outputs) {
    if (x >= o.x && y >= o.y && x < int64_t{o.x} + o.width && y < int64_t{o.y} + o.height) return &o;
  }
  return nullptr;
}

namespace {

uint32_t Axis(int64_t at, int64_t origin, int64_t size) {
  if (size <= 0) return 0;
  return static_cast<uint32_t>(std::clamp<int64_t>(at - origin, 0, size - 1));
}

uint32_t Extent(int64_t size) {
  return static_cast<uint32_t>(std::clamp<int64_t>(size, 1, std::numeric_limits<uint32_t>::max()));
}

}  // namespace

AbsoluteMotion MotionTo(int64_t x, int64_t y, const LayoutBox& box) {
  return {Axis(x, box.x, box.width), Axis(y, box.y, box.height), Extent(box.width), Extent(box.height)};
}

}  // namespace dx::wayland
