#include "ui/tooltips.h"

#include <commctrl.h>

#include <string>

#include "win32/text_encoding.h"

namespace dx::ui {

void Tooltips::Create(HINSTANCE instance) {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                             nullptr);
}

void Tooltips::Add(HWND control, std::string_view hint) {
  if (!tooltip_ || !control || hint.empty()) return;
  std::wstring text = win::WideFromProgramText(hint);
  TOOLINFOW tool{};
  // The older structure size is accepted by every version of the control.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  // No TTF_SUBCLASS: the message loop relays the mouse messages instead, so
  // the control's other messages do not walk a subclass chain.
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::Enable(bool on) {
  if (tooltip_) SendMessageW(tooltip_, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

}  // namespace dx::ui
