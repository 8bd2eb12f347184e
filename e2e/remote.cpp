#include "e2e/remote.h"

#include <algorithm>

#include <commctrl.h>

#include <string>

#include "e2e/text.h"

namespace dxe {

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, 10000, &result);
  return LRESULT(result);
}

std::wstring WindowText(HWND hwnd) {
  auto n = Send(hwnd, WM_GETTEXTLENGTH);
  std::wstring text(size_t(n) + 1, L'\0');
  auto got = Send(hwnd, WM_GETTEXT, WPARAM(n + 1), LPARAM(text.data()));
  text.resize(size_t(got));
  return text;
}

void SetWindowTextRemote(HWND hwnd, std::wstring_view text) {
  std::wstring copy(text);
  Send(hwnd, WM_SETTEXT, 0, LPARAM(copy.c_str()));
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[128] = {};
  GetClassNameW(hwnd, name, 128);
  return name;
}

namespace {

struct TopSearch {
  std::wstring_view cls;
  DWORD pid;
  bool visible_only;
  std::wstring_view caption;
  std::vector<HWND> found;
};

BOOL CALLBACK MatchTop(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TopSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if ((s->pid && pid != s->pid) || ClassOf(hwnd) != s->cls) return TRUE;
  if (s->visible_only && !IsWindowVisible(hwnd)) return TRUE;
  if (!s->caption.empty()) {
    wchar_t title[256] = {};
    GetWindowTextW(hwnd, title, 256);  // the caption the system keeps: no message to a busy program
    if (s->caption != title) return TRUE;
  }
  s->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(std::wstring_view cls, DWORD pid, bool visible_only, std::wstring_view caption) {
  TopSearch s{cls, pid, visible_only, caption, {}};
  EnumWindows(MatchTop, LPARAM(&s));
  return s.found;
}

RECT RectIn(HWND hwnd, HWND origin) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  POINT o{0, 0};
  if (origin) ClientToScreen(origin, &o);
  OffsetRect(&r, -o.x, -o.y);
  return r;
}

RemoteBuffer::RemoteBuffer(HANDLE process, size_t bytes)
    : process_(process),
      base_(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
}

void RemoteBuffer::Write(const void* data, size_t bytes, size_t offset) {
  WriteProcessMemory(process_, static_cast<char*>(base_) + offset, data, bytes, nullptr);
}

void RemoteBuffer::Read(void* data, size_t bytes, size_t offset) const {
  ReadProcessMemory(process_, static_cast<char*>(base_) + offset, data, bytes, nullptr);
}

std::wstring RemoteBuffer::ReadString(size_t offset, size_t max_chars) const {
  std::wstring s(max_chars, L'\0');
  Read(s.data(), max_chars * sizeof(wchar_t), offset);
  s.resize(wcsnlen(s.c_str(), max_chars));
  return s;
}

std::wstring StatusBarText(HANDLE process, HWND status_bar) {
  constexpr size_t kChars = 512;
  RemoteBuffer buf(process, kChars * sizeof(wchar_t));
  std::wstring zero(kChars, L'\0');
  buf.Write(zero.data(), kChars * sizeof(wchar_t));
  // A simple-mode bar answers for part 0 under Wine and for SB_SIMPLEID
  // (255) under Windows; ask both.
  for (WPARAM part : {WPARAM(0), WPARAM(SB_SIMPLEID)}) {
    auto len = LOWORD(Send(status_bar, SB_GETTEXTLENGTHW, part));
    if (len == 0 || len >= kChars) continue;
    Send(status_bar, SB_GETTEXTW, part, buf.Address());
    return buf.ReadString(0, kChars);
  }
  return {};
}

std::wstring TabText(HANDLE process, HWND tab, int index) {
  constexpr size_t kChars = 128;
  RemoteBuffer buf(process, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = reinterpret_cast<LPWSTR>(buf.Address(sizeof(TCITEMW)));
  item.cchTextMax = int(kChars);
  buf.Write(&item, sizeof item);
  if (!Send(tab, TCM_GETITEMW, WPARAM(index), buf.Address())) return L"?";
  return buf.ReadString(sizeof(TCITEMW), kChars);
}

std::string ForegroundText() {
  HWND front = GetForegroundWindow();
  DWORD pid = 0;
  GetWindowThreadProcessId(front, &pid);
  return "in front: " + Narrow(ClassOf(front)) + " \"" + Narrow(WindowText(front)) + "\" of process " +
         std::to_string(pid);
}

std::vector<std::wstring> ListBoxEntries(HWND list) {
  std::vector<std::wstring> out;
  auto count = Send(list, LB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    // The program may rebuild the list between the two messages, and
    // LB_GETTEXT writes the whole entry whatever the buffer: leave room for
    // the longest entry the picker makes (a 199-character title).
    constexpr LRESULT kLongestEntry = 512;
    auto len = Send(list, LB_GETTEXTLEN, WPARAM(i));
    std::wstring text(size_t(std::max(len, kLongestEntry)) + 1, L'\0');
    auto got = Send(list, LB_GETTEXT, WPARAM(i), LPARAM(text.data()));
    text.resize(size_t(got < 0 ? 0 : got));
    out.push_back(text);
  }
  return out;
}

namespace {

// A rectangle that a control writes into the caller's buffer, read from
// the other process.
RECT RemoteItemRect(HANDLE process, HWND control, UINT message, int index) {
  RemoteBuffer buf(process, sizeof(RECT));
  RECT r{};
  Send(control, message, WPARAM(index), buf.Address());
  buf.Read(&r, sizeof r);
  return r;
}

}  // namespace

RECT ListBoxItemRect(HANDLE process, HWND list, int index) {
  return RemoteItemRect(process, list, LB_GETITEMRECT, index);
}

RECT TabItemRect(HANDLE process, HWND tab, int index) { return RemoteItemRect(process, tab, TCM_GETITEMRECT, index); }

RECT ListViewItemRect(HANDLE process, HWND list, int index) {
  RemoteBuffer buf(process, sizeof(RECT));
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  buf.Write(&r, sizeof r);
  Send(list, LVM_GETITEMRECT, WPARAM(index), buf.Address());
  buf.Read(&r, sizeof r);
  return r;
}

std::vector<std::vector<std::wstring>> ListViewRows(HANDLE process, HWND list, int columns) {
  constexpr size_t kChars = 1024;
  RemoteBuffer buf(process, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  const size_t text_at = sizeof(LVITEMW);
  std::vector<std::vector<std::wstring>> rows;
  const auto count = Send(list, LVM_GETITEMCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    std::vector<std::wstring> row;
    for (int sub = 0; sub < columns; ++sub) {
      LVITEMW item{};
      item.iSubItem = sub;
      item.pszText = reinterpret_cast<LPWSTR>(buf.Address(text_at));
      item.cchTextMax = int(kChars);
      buf.Write(&item, sizeof item);
      const auto length = Send(list, LVM_GETITEMTEXTW, WPARAM(i), buf.Address());
      row.push_back(length > 0 ? buf.ReadString(text_at, kChars) : std::wstring());
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<HWND> TooltipWindows(DWORD pid) { return TopWindows(TOOLTIPS_CLASSW, pid, false); }

std::vector<Tool> Tooltips(HANDLE process, DWORD pid) {
  constexpr size_t kChars = 1024;
  std::vector<Tool> tools;
  RemoteBuffer buf(process, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
  const size_t text_at = sizeof(TTTOOLINFOW);
  for (HWND tip : TooltipWindows(pid)) {
    auto count = Send(tip, TTM_GETTOOLCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof info;
      buf.Write(&info, sizeof info);
      if (!Send(tip, TTM_ENUMTOOLSW, WPARAM(i), buf.Address())) continue;
      buf.Read(&info, sizeof info);
      HWND control = (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : nullptr;
      std::wstring zero(kChars, L'\0');
      buf.Write(zero.data(), kChars * sizeof(wchar_t), text_at);
      info.lpszText = reinterpret_cast<LPWSTR>(buf.Address(text_at));
      buf.Write(&info, sizeof info);
      Send(tip, TTM_GETTEXTW, WPARAM(kChars), buf.Address());
      tools.push_back({control, buf.ReadString(text_at, kChars)});
    }
  }
  return tools;
}

}  // namespace dxe
