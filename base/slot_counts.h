// How many slots a script has: the document, the engine, the window and the
// checker all count them from here.
#pragma once

#include <cstdint>

namespace dx {

inline constexpr int kKeySlotCount = 40;
inline constexpr int kLocationSlotCount = 20;

constexpr bool IsKeySlot(int32_t n) { return n >= 1 && n <= kKeySlotCount; }
constexpr bool IsLocationSlot(int32_t n) { return n >= 1 && n <= kLocationSlotCount; }

}  // namespace dx
