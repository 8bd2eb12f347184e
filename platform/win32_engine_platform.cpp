#include "platform/win32_engine_platform.h"

#include "platform/handle_value.h"

namespace dx::win {

INPUT NativeInputFromRecord(const InputRecord& record) {
  INPUT input{};
  input.type = record.Type();
  if (record.Type() == InputRecord::kTypeKeyboard) {
    input.ki.wVk = record.KeyVk();
    input.ki.wScan = record.KeyScan();
    input.ki.dwFlags = record.KeyFlags();
    input.ki.time = record.KeyTime();
    input.ki.dwExtraInfo = record.KeyExtraInfo();
  } else {
    // The mouse view; any other type is passed on as the bytes stand and
    // refused by the system.
    input.mi.dx = record.MouseDx();
    input.mi.dy = record.MouseDy();
    input.mi.mouseData = record.MouseData();
    input.mi.dwFlags = record.MouseFlags();
    input.mi.time = record.MouseTime();
    input.mi.dwExtraInfo = record.MouseExtraInfo();
  }
  return input;
}

void Win32EnginePlatform::SendInput(const InputRecord& record) {
  INPUT input = NativeInputFromRecord(record);
  ::SendInput(1, &input, sizeof(INPUT));
  // Under Wine the pointer's move is echoed back by the process that owns
  // the window under it; a button sent before that echo has been handled
  // can land at the previous point. A short pause lets a move settle
  // before the next input, as the slower line cycle of old happened to.
  constexpr DWORD kMoveSettleMs = 2;
  if (input.type == INPUT_MOUSE && (input.mi.dwFlags & MOUSEEVENTF_MOVE)) Sleep(kMoveSettleMs);
}

int Win32EnginePlatform::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int Win32EnginePlatform::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

uint32_t Win32EnginePlatform::ReadScreenPixel(int32_t x, int32_t y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

uint64_t Win32EnginePlatform::TickCount() { return GetTickCount64(); }

void Win32EnginePlatform::Beep() { MessageBeep(0); }

void Win32EnginePlatform::MakeMainWindowNotTopmost() {
  SetWindowPos(mainWindow_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

// True once the window is in front and its thread has a focus window, so
// that keys sent next reach it instead of being dropped.
bool TakesKeyboardInput(HWND window) {
  if (GetForegroundWindow() != window) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus != nullptr;
}

}  // namespace

void Win32EnginePlatform::SetForegroundWindow(uint32_t handle) {
  HWND window = HandleFromValue(handle);
  ::SetForegroundWindow(window);
  // The activation completes asynchronously in the target's thread; the
  // first line of a script often types at once. Wait a bounded time for it,
  // answering only messages sent to this thread meanwhile.
  constexpr ULONGLONG kMaxWaitMs = 500;
  const ULONGLONG start = GetTickCount64();
  while (IsWindow(window) && !TakesKeyboardInput(window) && GetTickCount64() - start < kMaxWaitMs) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(2);
  }
}

}  // namespace dx::win
