// The program's modal windows as another process sees them: message boxes
// and the common file dialogs, both "#32770" windows of its process.
#pragma once

#include <windows.h>

#include <string>

namespace dxe {

struct MessageBoxSeen {
  HWND hwnd = nullptr;
  std::wstring caption;
  std::wstring text;
  bool has_icon = false;
};

// Waits for a visible dialog of `pid` (with this caption when given).
HWND WaitDialog(DWORD pid, std::wstring_view caption, int timeout_ms);
MessageBoxSeen ReadMessageBox(HWND box);
// Presses OK (or closes) and waits until the box is gone.
bool CloseDialog(HWND dialog, int command = IDOK);
// Any dialog of `pid` that is still open, closed with Cancel.
void CloseAllDialogs(DWORD pid);

// File dialogs: the name field's text, typing a name and pressing the
// dialog's OK button, or cancelling.
std::wstring FileDialogName(HWND dialog);
bool FileDialogChoose(HWND dialog, std::wstring_view path);

}  // namespace dxe
