#include "e2e/input.h"

#include <windows.h>

namespace dxe {

namespace {

void MoveTo(int x, int y) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  // The centre of the pixel, so that rounding either way lands on it.
  move.mi.dx = LONG((x * 65536LL + 32768) / sw);
  move.mi.dy = LONG((y * 65536LL + 32768) / sh);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
}

void Press(DWORD down, DWORD up) {
  INPUT b[2] = {};
  b[0].type = b[1].type = INPUT_MOUSE;
  b[0].mi.dwFlags = down;
  b[1].mi.dwFlags = up;
  SendInput(2, b, sizeof(INPUT));
}

}  // namespace

void ClickAt(int x, int y, int times) {
  MoveTo(x, y);
  for (int i = 0; i < times; ++i) Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void RightClickAt(int x, int y) {
  MoveTo(x, y);
  Press(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

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
