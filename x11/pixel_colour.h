// A pixel value of the root window's visual as the colour reference the
// Windows program gives: 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace dx::x11 {

struct ChannelMasks {
  uint64_t red;
  uint64_t green;
  uint64_t blue;
};

// Each channel is taken through its mask and scaled to 8 bits (a deeper
// channel keeps its top 8 bits, a shallower one is stretched to 0..255).
uint32_t ColourReference(uint64_t pixel, const ChannelMasks& masks);

}  // namespace dx::x11
