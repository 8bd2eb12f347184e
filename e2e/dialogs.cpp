#include "e2e/dialogs.h"

#include <vector>

#include "e2e/remote.h"
#include "e2e/wait.h"

namespace dxe {

namespace {

constexpr int kFileNameField = 0x47C;  // cmb13 of the common dialogs

std::vector<HWND> Dialogs(DWORD pid, std::wstring_view caption) { return TopWindows(L"#32770", pid, true, caption); }

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, CollectChild, LPARAM(&out));
  return out;
}

HWND NameEdit(HWND dialog) {
  HWND field = GetDlgItem(dialog, kFileNameField);
  if (!field) return nullptr;
  if (ClassOf(field) == L"Edit") return field;
  for (HWND child : Children(field))
    if (ClassOf(child) == L"Edit") return child;
  return field;
}

}  // namespace

HWND WaitDialog(DWORD pid, std::wstring_view caption, int timeout_ms) {
  HWND found = nullptr;
  WaitUntil([&] {
    auto all = Dialogs(pid, caption);
    found = all.empty() ? nullptr : all.front();
    return found != nullptr;
  }, timeout_ms);
  return found;
}

MessageBoxSeen ReadMessageBox(HWND box) {
  MessageBoxSeen seen;
  seen.hwnd = box;
  seen.caption = WindowText(box);
  for (HWND child : Children(box)) {
    if (ClassOf(child) != L"Static" || !IsWindowVisible(child)) continue;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      // The icon control stays in a box without icon, holding none.
      seen.has_icon = seen.has_icon || Send(child, STM_GETICON) != 0;
      continue;
    }
    std::wstring text = WindowText(child);
    if (!text.empty()) seen.text += text;
  }
  return seen;
}

bool CloseDialog(HWND dialog, int command) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
  return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kTimeoutMs);
}

void CloseAllDialogs(DWORD pid) {
  for (int round = 0; round < 5; ++round) {
    auto open = Dialogs(pid, {});
    if (open.empty()) return;
    for (HWND d : open) CloseDialog(d, IDCANCEL);
  }
}

std::wstring FileDialogName(HWND dialog) {
  HWND edit = NameEdit(dialog);
  return edit ? WindowText(edit) : L"<no name field>";
}

bool FileDialogChoose(HWND dialog, std::wstring_view path) {
  HWND edit = NameEdit(dialog);
  if (!edit) return false;
  SetWindowTextRemote(edit, path);
  if (HWND ok = GetDlgItem(dialog, IDOK)) PostMessageW(ok, BM_CLICK, 0, 0);
  return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kTimeoutMs);
}

}  // namespace dxe
