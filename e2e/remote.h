// Reading and writing the controls of another process. Messages whose
// arguments Wine marshals (texts of edits and buttons, list-box entries) go
// through SendMessageTimeoutW; the rest (status bar, tabs, tooltips) use a
// buffer allocated inside the other process, because both programs load at
// the same base address and a pointer into our memory would be read there.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dxe {

// Sends with a time-out, so a hung program fails the test instead of
// hanging it.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0);

std::wstring WindowText(HWND hwnd);
void SetWindowTextRemote(HWND hwnd, std::wstring_view text);
std::wstring ClassOf(HWND hwnd);
// The top-level windows of class `cls` in z-order: of process `pid` (0: of
// any), visible ones only unless told, with the caption when one is given.
std::vector<HWND> TopWindows(std::wstring_view cls, DWORD pid = 0, bool visible_only = true,
                             std::wstring_view caption = {});
// The window in front, for failure reports: class, caption and process.
std::string ForegroundText();
// Window rectangle relative to the client origin of `origin` (or the
// screen for nullptr).
RECT RectIn(HWND hwnd, HWND origin);

class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t bytes);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM Address(size_t offset = 0) const { return LPARAM(static_cast<char*>(base_) + offset); }
  void Write(const void* data, size_t bytes, size_t offset = 0);
  void Read(void* data, size_t bytes, size_t offset = 0) const;
  std::wstring ReadString(size_t offset, size_t max_chars) const;

 private:
  HANDLE process_;
  void* base_;
};

std::wstring StatusBarText(HANDLE process, HWND status_bar);
std::wstring TabText(HANDLE process, HWND tab, int index);
std::vector<std::wstring> ListBoxEntries(HWND list);
RECT ListBoxItemRect(HANDLE process, HWND list, int index);
RECT TabItemRect(HANDLE process, HWND tab, int index);
// A report-view list: every row's texts, `columns` of them; a row's place
// in the list's client area.
std::vector<std::vector<std::wstring>> ListViewRows(HANDLE process, HWND list, int columns);
RECT ListViewItemRect(HANDLE process, HWND list, int index);

struct Tool {
  HWND control;  // the control the tip belongs to (TTF_IDISHWND tools)
  std::wstring text;
};
// The tooltip windows that `pid` owns.
std::vector<HWND> TooltipWindows(DWORD pid);
// Every tool of every tooltip window that `pid` owns.
std::vector<Tool> Tooltips(HANDLE process, DWORD pid);

}  // namespace dxe
