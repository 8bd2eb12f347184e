// TFormWin: the window picker. Lists the titled top-level windows as window
// entries and copies the chosen one into the main window's EditWin.
#pragma once

#include <windows.h>

#include "win32/message_pump.h"
#include "ui/control_factory.h"
#include "ui/dpi.h"

namespace dx::ui {

class TFormMain;

class TFormWin {
 public:
  static void RegisterWindowClass(HINSTANCE instance);
  // Created hidden, owned by the main window.
  bool Create(HINSTANCE instance, TFormMain& owner, win::MessagePump& pump);
  HWND Handle() const { return hwnd_; }

  // SBWinClick: shows the picker without blocking, centred over the main
  // window the first time; brings it to the front when already visible.
  void ShowPicker();

  void FormShow();
  void obnovitClick();
  void BOKClick();
  void ListWinDblClick();

 private:
  template <class Form>
  friend LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  void OnDpiChanged(const DpiChange& change);
  void CentreOverOwner();

  HWND hwnd_ = nullptr;
  TFormMain* owner_ = nullptr;
  HINSTANCE instance_ = nullptr;
  ControlFont font_;  // its own: the picker may stand on another monitor
  int dpi_ = 96;
  ControlMap controls_;
  bool shownBefore_ = false;
};

}  // namespace dx::ui
