#include "win32/win32_engine_platform.h"

#include <memory>
#include <vector>

#include "engine/mouse_command.h"
#include "win32/handle_value.h"

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

namespace {

// Under Wine a move of the pointer is echoed back by the process that owns
// the window under it, whenever that process gets round to it. A short
// pause lets a move settle before the next input; and an echo of an earlier
// move that comes later still puts the pointer back there, so a button
// checks that the pointer stands where the last move put it.
constexpr DWORD kMoveSettleMs = 2;
// An echo comes this soon after its move; later, the pointer was moved by
// hand, and the click goes where the user put it.
constexpr uint64_t kEchoWindowMs = 200;
constexpr int kMoveAttempts = 3;

bool IsMove(const INPUT& input) { return input.type == INPUT_MOUSE && (input.mi.dwFlags & MOUSEEVENTF_MOVE); }

bool IsAbsoluteMove(const INPUT& input) {
  constexpr DWORD kAbsolute = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input.type == INPUT_MOUSE && (input.mi.dwFlags & (kAbsolute | MOUSEEVENTF_VIRTUALDESK)) == kAbsolute;
}

bool PressesOrReleases(const INPUT& input) {
  constexpr DWORD kButtons = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP |
                             MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_MIDDLEUP | MOUSEEVENTF_XDOWN | MOUSEEVENTF_XUP;
  return input.type == INPUT_MOUSE && !(input.mi.dwFlags & MOUSEEVENTF_MOVE) && (input.mi.dwFlags & kButtons);
}

// The pixel of the primary screen an absolute move lands on (the system
// truncates), or nothing for a point the system keeps off the screen.
std::optional<POINT> PixelOf(const INPUT& move) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const int64_t x = PixelOfAbsolute(move.mi.dx, width), y = PixelOfAbsolute(move.mi.dy, height);
  if (move.mi.dx < 0 || move.mi.dy < 0 || x >= width || y >= height) return std::nullopt;
  return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

}  // namespace

bool Win32EnginePlatform::SendInput(const InputRecord& record) {
  INPUT input = NativeInputFromRecord(record);
  if (PressesOrReleases(input)) ReturnPointerToLastMove();
  const bool inserted = ::SendInput(1, &input, sizeof(INPUT)) == 1;
  if (IsMove(input)) {
    Sleep(kMoveSettleMs);
    lastMove_ = IsAbsoluteMove(input) ? std::optional<INPUT>(input) : std::nullopt;
    lastMoveTick_ = GetTickCount64();
  }
  return inserted;
}

void Win32EnginePlatform::ReturnPointerToLastMove() {
  if (!lastMove_ || GetTickCount64() - lastMoveTick_ > kEchoWindowMs) return;
  const std::optional<POINT> pixel = PixelOf(*lastMove_);
  if (!pixel) return;
  for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
    POINT now{};
    if (!GetCursorPos(&now) || (now.x == pixel->x && now.y == pixel->y)) return;
    ::SendInput(1, &*lastMove_, sizeof(INPUT));
    Sleep(kMoveSettleMs);
  }
}

uint16_t Win32EnginePlatform::KeyScanCode(uint8_t vk) {
  // Keys go to the foreground window, so its thread's layout is the one
  // a real keyboard would be read with (no foreground window: ours).
  DWORD thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const UINT scan = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, GetKeyboardLayout(thread));
  return scan > 0xFFFF ? 0 : static_cast<uint16_t>(scan);
}

namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// The last sub-authority of a process's mandatory label: 0x1000 low,
// 0x2000 medium, 0x3000 high, 0x4000 system; nothing when it cannot be read.
std::optional<DWORD> IntegrityLevelOf(DWORD process_id) {
  OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  HANDLE raw_token = nullptr;
  if (!process || !OpenProcessToken(process.get(), TOKEN_QUERY, &raw_token)) return std::nullopt;
  OwnedHandle token(raw_token);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
  if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
  std::vector<unsigned char> buffer(size);  // new[] aligns it for the label
  if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) return std::nullopt;
  const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
  if (!sid || !IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
  return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
}

}  // namespace

bool Win32EnginePlatform::HasHigherRights(uint32_t handle) {
  DWORD process_id = 0;
  if (!GetWindowThreadProcessId(HandleFromValue(handle), &process_id) || process_id == 0) return false;
  // Input to a window of a higher integrity level is dropped by the system.
  const std::optional<DWORD> theirs = IntegrityLevelOf(process_id);
  const std::optional<DWORD> ours = IntegrityLevelOf(GetCurrentProcessId());
  return theirs && ours && *theirs > *ours;
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
  // answering only messages sent to this thread meanwhile. On a loaded
  // machine the target's thread was seen to take more than half a second,
  // and every key typed before then was lost.
  constexpr ULONGLONG kMaxWaitMs = 2000;
  const ULONGLONG start = GetTickCount64();
  while (IsWindow(window) && !TakesKeyboardInput(window) && GetTickCount64() - start < kMaxWaitMs) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(2);
  }
}

}  // namespace dx::win
