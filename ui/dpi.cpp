#include "ui/dpi.h"

#include <initializer_list>

namespace dx::ui {
namespace {

// Looked up at run time: older systems lack them, and a missing import would
// keep the program from starting at all.
template <class Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

// DPI_AWARENESS_CONTEXT values.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

}  // namespace

void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (auto setContext = User32Function<SetContext>("SetProcessDpiAwarenessContext")) {
    for (HANDLE context : {kPerMonitorAwareV2, kPerMonitorAware}) {
      if (setContext(context)) return;
      // Access denied: the manifest has chosen already.
      if (GetLastError() == ERROR_ACCESS_DENIED) return;
    }
  }
  using SetAware = BOOL(WINAPI*)();
  if (auto setAware = User32Function<SetAware>("SetProcessDPIAware")) setAware();
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND window) {
  using GetForWindow = UINT(WINAPI*)(HWND);
  static const auto getForWindow = User32Function<GetForWindow>("GetDpiForWindow");
  const int dpi = getForWindow ? static_cast<int>(getForWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

DpiChange ReadDpiChange(WPARAM wParam, LPARAM lParam) {
  return {HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)};
}

}  // namespace dx::ui
