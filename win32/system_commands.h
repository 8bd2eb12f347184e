// The help editor, the fixed-window click of Button2 and message boxes.
#pragma once

#include <windows.h>

#include <string_view>

#include "base/message_text.h"

namespace dx::win {

// WinExec("notepad.exe " + the manual's file name, SW_SHOWNORMAL); the result
// is ignored.
void StartHelpEditor();

// Posts a left button down and up at client point (10, 100) to the window
// with the handle value 0xFA4; the results are ignored.
void PostClickToFixedWindow();

enum class BoxIcon { None, Error };

// An OK box captioned with the application title; the text is UTF-8.
void ShowMessageBox(HWND owner, const MessageText& text, BoxIcon icon);

}  // namespace dx::win
