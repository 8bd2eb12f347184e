// Filling the location and key slots by demonstration. A location button
// steps the window out of the way and arms a capture; the capture runs once,
// when the application next loses activation (the user has clicked into
// another application), and writes the cursor position into the slot. A key
// slot takes the code of every key pressed in it.
#include <windows.h>

#include <string>

#include "base/format_hex.h"
#include "base/integer_rule.h"
#include "texts/program_texts.h"
#include "ui/layout.h"
#include "ui/unitmain.h"

namespace dx::ui {
namespace {

// "SB12" gives 12: the slot number is the button's name after "SB".
int32_t SlotOfButton(HWND button) {
  const layout::ControlRow* entry = layout::FindControl(GetDlgCtrlID(button));
  if (!entry || entry->name.size() < 3) return 0;
  return StrToInt(std::string_view(entry->name).substr(2));
}

}  // namespace

void TFormMain::SBClick(HWND sender) {
  // The window is active (its button was just clicked); without
  // SWP_NOACTIVATE some window managers raise it again at once.
  SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetStatusText(kStatusPickPosition);
  captureSlot_ = SlotOfButton(sender);
  // Arming again only replaces the slot number: one capture at a time.
  deactivationHandler_ = &TFormMain::CaptureLocation;
}

// WM_ACTIVATEAPP arrives while the other application is still becoming
// active; the handler runs once that has finished, from the queue, so that
// its own return to the foreground is not undone and the cursor is read
// after the click has landed.
void TFormMain::OnActivateApp(bool active) {
  if (!active) PostMessageW(hwnd_, kApplicationDeactivatedMessage, 0, 0);
}

void TFormMain::OnApplicationDeactivated() {
  if (deactivationHandler_) (this->*deactivationHandler_)();
}

void TFormMain::CaptureLocation() {
  // x from one reading and y from a second one, as the slot has always
  // been filled.
  POINT first{}, second{};
  GetCursorPos(&first);
  GetCursorPos(&second);
  const int32_t n = captureSlot_;
  if (IsLocationSlot(n)) {
    SetText(layout::PxId(n), std::to_string(first.x));
    SetText(layout::PyId(n), std::to_string(second.y));
  }
  deactivationHandler_ = nullptr;
  if (IsLocationSlot(n)) SetFocus(Control(layout::PxId(n)));
  SetStatusText(kStatusPositionPicked);
  // Activation is SetForegroundWindow's job; asked of SetWindowPos while
  // another application is active, some systems drop the topmost change.
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetForegroundWindow(hwnd_);
  // Activation hands the focus to the window itself; give it back to the
  // slot that was just written.
  if (IsLocationSlot(n) && GetForegroundWindow() == hwnd_) SetFocus(Control(layout::PxId(n)));
}

void TFormMain::key1KeyDown(HWND sender, uint16_t& key) {
  // Modifier keys are recorded like any other key.
  SetWindowTextA(sender, FormatHex(key, 2).c_str());
  key = 0;
}

}  // namespace dx::ui
