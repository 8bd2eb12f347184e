// Window handles as the 32-bit numbers that window entries carry. Windows
// keeps handle values within 32 bits and defines the 64-bit handle of a
// 32-bit value by sign extension; the way back is truncation.
#pragma once

#include <windows.h>

#include <cstdint>

namespace dx::win {

inline HWND HandleFromValue(uint32_t value) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

inline uint32_t ValueFromHandle(HWND handle) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace dx::win
