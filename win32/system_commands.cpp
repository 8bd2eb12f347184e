#include "win32/system_commands.h"

#include <string>

#include "win32/handle_value.h"
#include "win32/text_encoding.h"
#include "texts/program_texts.h"

namespace dx::win {

void StartHelpEditor() { WinExec(("notepad.exe " + std::string(kManualFileName)).c_str(), SW_SHOWNORMAL); }

void PostClickToFixedWindow() {
  const HWND target = HandleFromValue(0xFA4);
  const LPARAM point = MAKELPARAM(10, 100);
  PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(target, WM_LBUTTONUP, MK_LBUTTON, point);
}

void ShowMessageBox(HWND owner, const MessageText& text, BoxIcon icon) {
  const UINT style = MB_OK | (icon == BoxIcon::Error ? MB_ICONERROR : 0u);
  MessageBoxW(owner, WideFromMessage(text).c_str(), WideFromProgramText(kApplicationTitle).c_str(), style);
}

}  // namespace dx::win
