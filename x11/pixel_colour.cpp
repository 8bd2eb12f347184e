#include "x11/pixel_colour.h"

#include <bit>

namespace dx::x11 {
namespace {

uint32_t Channel8(uint64_t pixel, uint64_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const uint64_t value = (pixel & mask) >> shift;
  if (bits >= 8) return static_cast<uint32_t>(value >> (bits - 8));
  const uint64_t largest = (uint64_t{1} << bits) - 1;
  return static_cast<uint32_t>((value * 255 + largest / 2) / largest);
}

}  // namespace

uint32_t ColourReference(uint64_t pixel, const ChannelMasks& masks) {
  return Channel8(pixel, masks.red) | Channel8(pixel, masks.green) << 8 | Channel8(pixel, masks.blue) << 16;
}

}  // namespace dx::x11
