#include "e2e/input.h"

#include <windows.h>

namespace dxe {

namespace {

// A mouse record at screen point (x, y) with `buttons` besides the move.
INPUT MouseAt(int x, int y, DWORD buttons) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  // The centre of the pixel, so that rounding either way lands on it.
  input.mi.dx = LONG((x * 65536LL + 32768) / sw);
  input.mi.dy = LONG((y * 65536LL + 32768) / sh);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  return input;
}

// Each press and release carries the point, as a real mouse's do: under
// Wine the process that owns the window under an earlier pointer position
// (one a window appeared under, say) echoes that position back whenever it
// gets round to it, and a bare press after a move would then land there.
void ClickWith(int x, int y, int times, DWORD down, DWORD up) {
  std::vector<INPUT> events{MouseAt(x, y, 0)};
  for (int i = 0; i < times; ++i) {
    events.push_back(MouseAt(x, y, down));
    events.push_back(MouseAt(x, y, up));
  }
  SendInput(UINT(events.size()), events.data(), sizeof(INPUT));
}

}  // namespace

void ClickAt(int x, int y, int times) { ClickWith(x, y, times, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void RightClickAt(int x, int y) { ClickWith(x, y, 1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

void PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> events;
  for (WORD vk : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = vk;
    events.push_back(down);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *it;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    events.push_back(up);
  }
  SendInput(UINT(events.size()), events.data(), sizeof(INPUT));
}

}  // namespace dxe
