// The one way a control gets a window procedure of the program's.
#pragma once

#include <windows.h>

namespace dx::ui {

// Returns the procedure the control had, to which the new one passes the
// messages it leaves.
inline WNDPROC Subclass(HWND control, WNDPROC proc) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

}  // namespace dx::ui
