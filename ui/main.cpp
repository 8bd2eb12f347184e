// Start-up: initialise, title "Dorvaxil", the main window (whose FormCreate
// registers the stop hot key), the picker created hidden, then the message
// loop until the main window is closed.
#include <windows.h>

#include <commctrl.h>

#include "win32/message_pump.h"
#include "ui/dpi.h"
#include "ui/error_display.h"
#include "ui/layout.h"
#include "ui/unitcheck.h"
#include "ui/unitmain.h"
#include "ui/unitwin.h"

namespace {

void InitialiseApplication() {
  dx::ui::BecomeDpiAware();
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  try {
    InitialiseApplication();
    dx::win::MessagePump pump;
    dx::ui::TFormMain::RegisterWindowClass(instance);
    dx::ui::TFormWin::RegisterWindowClass(instance);
    dx::ui::TFormCheck::RegisterWindowClass(instance);
    dx::ui::TFormMain formMain;
    if (!formMain.Create(instance, pump)) return 1;
    dx::ui::TFormWin formWin;
    if (!formWin.Create(instance, formMain, pump)) return 1;
    formMain.SetPicker(&formWin);
    ShowWindow(formMain.Handle(), showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);
    UpdateWindow(formMain.Handle());
    SetFocus(formMain.Control(dx::layout::IdButton2));
    return pump.RunUntilQuit();
  } catch (...) {
    dx::ui::ShowErrorBox(nullptr, dx::ui::MessageOfCurrentException());
    return 1;
  }
}
