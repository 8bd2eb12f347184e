#include "win32/win32_engine_platform.h"

namespace dx::win {

std::unique_ptr<EnginePlatform> MakeEnginePlatform(HWND mainWindow) {
  return std::make_unique<Win32EnginePlatform>(mainWindow);
}

}  // namespace dx::win
