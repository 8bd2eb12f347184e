// The window procedure every form registers: the form passes itself as the
// creation parameter, the procedure keeps it in the window's user data and
// forwards each message to the form's HandleMessage, so that no exception
// crosses back into the system. A form befriends FormWindowProc<itself>.
#pragma once

#include <windows.h>

#include "ui/error_display.h"

namespace dx::ui {

template <class Form>
LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  Guarded(window, [&] { result = form->HandleMessage(message, wParam, lParam); });
  return result;
}

}  // namespace dx::ui
