#include "win32/message_pump.h"

#include <commctrl.h>

namespace dx::win {

void MessagePump::Dispatch(MSG& message) {
  if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) {
    for (HWND tooltip : tooltips_) SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
  }
  for (HWND dialog : dialogs_) {
    if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int MessagePump::RunUntilQuit() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

void MessagePump::DeliverPending() {
  MSG message;
  while (!quitSeen_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quitSeen_ = true;
      quitCode_ = static_cast<int>(message.wParam);
      return;
    }
    Dispatch(message);
  }
}

void MessagePump::RepostQuit() {
  if (quitSeen_ && !quitReposted_) {
    quitReposted_ = true;
    PostQuitMessage(quitCode_);
  }
}

}  // namespace dx::win
