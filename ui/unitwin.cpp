#include "ui/unitwin.h"

#include <string>

#include "win32/text_encoding.h"
#include "win32/window_list.h"
#include "ui/form_window_proc.h"
#include "ui/layout.h"
#include "ui/unitmain.h"

namespace dx::ui {
namespace {

// A fixed single border with only the close box.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

}  // namespace

void TFormWin::RegisterWindowClass(HINSTANCE instance) {
  RegisterFormClass(instance, FormWindowProc<TFormWin>, win::WideFromProgramText(layout::kPickerWindowClass).c_str());
}

bool TFormWin::Create(HINSTANCE instance, TFormMain& owner, win::MessagePump& pump) {
  owner_ = &owner;
  instance_ = instance;
  // Built hidden over its owner, so at its owner's DPI.
  dpi_ = owner.Dpi();
  font_.Reset(dpi_);
  RECT frame{0, 0, layout::Scaled(layout::kPickerClientWidth, dpi_), layout::Scaled(layout::kPickerClientHeight, dpi_)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  CreateWindowExW(0, win::WideFromProgramText(layout::kPickerWindowClass).c_str(),
                  win::WideFromProgramText(layout::kPickerCaption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                  frame.bottom - frame.top, owner.Handle(), nullptr, instance, this);
  if (!hwnd_) return false;
  const ControlContext context{instance, font_, dpi_};
  for (const layout::ControlRow& entry : layout::Controls()) {
    if (entry.parent == layout::Parent::Picker) controls_.Add(entry.id, CreateControl(entry, hwnd_, context));
  }
  pump.AddDialogWindow(hwnd_);
  return true;
}

LRESULT TFormWin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case DM_GETDEFID: return MAKELRESULT(layout::IdBOK, DC_HASDEFID);
    case WM_SHOWWINDOW:
      if (wParam) FormShow();
      return 0;
    case WM_CLOSE: ShowWindow(hwnd_, SW_HIDE); return 0;
    case WM_DPICHANGED: OnDpiChanged(ReadDpiChange(wParam, lParam)); return 0;
    default: return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void TFormWin::OnCommand(int id, int code) {
  if (id == layout::IdListWin) {
    if (code == LBN_DBLCLK) ListWinDblClick();
    return;
  }
  if (code != BN_CLICKED) return;
  if (id == layout::IdBOK || id == IDOK) BOKClick();
  if (id == layout::IdObnovit) obnovitClick();
}

void TFormWin::OnDpiChanged(const DpiChange& change) {
  dpi_ = change.dpi;
  Rescale(hwnd_, change, controls_, font_, instance_);
}

void TFormWin::CentreOverOwner() {
  RECT main{}, mine{};
  GetWindowRect(owner_->Handle(), &main);
  GetWindowRect(hwnd_, &mine);
  const int width = mine.right - mine.left, height = mine.bottom - mine.top;
  const int left = (main.left + main.right - width) / 2;
  const int top = (main.top + main.bottom - height) / 2;
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormWin::ShowPicker() {
  if (IsWindowVisible(hwnd_)) {
    SetForegroundWindow(hwnd_);
    return;
  }
  if (!shownBefore_) CentreOverOwner();
  shownBefore_ = true;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(controls_[layout::IdListWin]);
}

void TFormWin::FormShow() { obnovitClick(); }

void TFormWin::obnovitClick() {
  HWND list = controls_[layout::IdListWin];
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& entry : win::TitledTopLevelWindowEntries()) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
}

void TFormWin::BOKClick() {
  HWND list = controls_[layout::IdListWin];
  const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (selected != LB_ERR) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length != LB_ERR) {
      std::string entry(static_cast<size_t>(length) + 1, '\0');
      const LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(selected),
                                       reinterpret_cast<LPARAM>(entry.data()));
      entry.resize(got > 0 ? static_cast<size_t>(got) : 0);
      SetWindowTextA(owner_->Control(layout::IdEditWin), entry.c_str());
    }
  }
  ShowWindow(hwnd_, SW_HIDE);
}

void TFormWin::ListWinDblClick() { BOKClick(); }

}  // namespace dx::ui
