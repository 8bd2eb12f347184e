// The stop hot key: F12 with Ctrl, Alt and Shift from the start on; its
// WM_HOTKEY asks a running script to stop and brings the window back.
#include <windows.h>

#include "ui/layout.h"
#include "ui/unitmain.h"

namespace dx::ui {
namespace {

constexpr int kStopHotKeyId = 0;
constexpr UINT kDefaultModifiers = MOD_ALT | MOD_CONTROL | MOD_SHIFT;
constexpr UINT kDefaultStopKey = VK_F12;

}  // namespace

void TFormMain::FormCreate() {
  // The default stop key as the key field shows it, registered at once.
  SetWindowTextA(Control(layout::IdEditStopKey), "7B");
  RegisterHotKey(hwnd_, kStopHotKeyId, kDefaultModifiers, kDefaultStopKey);
  fields_.HotKeyRegistered = true;
}

// Choosing another stop key by pressing it in the field: not wired yet, the
// field keeps 7B. The key press is left to the (read-only) edit.
void TFormMain::EditStopKeyKeyDown(HWND, uint16_t&) {}

// Changing the modifier set: not wired yet; the box changes state only.
void TFormMain::CheckShiftClick(HWND) {}

void TFormMain::OnHotKey(WPARAM id) {
  if (LOWORD(id) != kStopHotKeyId) return;
  fields_.StopRequested = true;
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

}  // namespace dx::ui
