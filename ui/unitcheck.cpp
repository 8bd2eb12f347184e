#include "ui/unitcheck.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win32/text_encoding.h"
#include "texts/program_texts.h"
#include "ui/form_window_proc.h"
#include "ui/layout.h"
#include "ui/unitmain.h"

namespace dx::ui {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// The window's outer size at first showing, and the widths of the line and
// severity columns; 96-DPI pixels. The message takes the rest.
constexpr int kWidth = 560, kHeight = 200;
constexpr int kLineColumn = 36, kSeverityColumn = 56;

std::wstring Wide(std::string_view program) { return win::WideFromProgramText(program); }

// The checker's messages quote script lines, whose bytes are the machine's
// ANSI code page; its own words are ASCII.
std::wstring WideFromScriptBytes(const std::string& bytes) {
  return win::WideFromMessage(MessageText().Document(bytes));
}

void InsertColumn(HWND list, int index, std::string_view title, int width) {
  std::wstring text = Wide(title);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = text.data();
  column.cx = width;
  column.iSubItem = index;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, int row, const std::wstring& line, const std::wstring& severity, const std::wstring& message) {
  std::wstring texts[] = {line, severity, message};
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = texts[0].data();
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  for (int sub = 1; sub < 3; ++sub) {
    item.iSubItem = sub;
    item.pszText = texts[sub].data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace

void TFormCheck::RegisterWindowClass(HINSTANCE instance) {
  RegisterFormClass(instance, FormWindowProc<TFormCheck>, Wide(layout::kCheckWindowClass).c_str());
}

bool TFormCheck::Build(HINSTANCE instance) {
  dpi_ = owner_->Dpi();
  font_.Reset(dpi_);
  // Owned by the main window: above it, gone with it, no task-bar entry.
  CreateWindowExW(0, Wide(layout::kCheckWindowClass).c_str(), Wide(kCheckCaption).c_str(), kStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, layout::Scaled(kWidth, dpi_), layout::Scaled(kHeight, dpi_), owner_->Handle(), nullptr,
                  instance, this);
  if (!hwnd_) return false;
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                              LVS_NOSORTHEADER,
                          0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout::IdListFindings)),
                          instance, nullptr);
  if (!list_) return false;
  // A message cut off at the edge shows whole in a tip.
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_INFOTIP;
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  InsertColumn(list_, 0, kCheckColumnLine, layout::Scaled(kLineColumn, dpi_));
  InsertColumn(list_, 1, kCheckColumnSeverity, layout::Scaled(kSeverityColumn, dpi_));
  InsertColumn(list_, 2, kCheckColumnMessage, layout::Scaled(kWidth, dpi_));
  PlaceBesideOwner();
  LayOut();
  return true;
}

void TFormCheck::PlaceBesideOwner() {
  RECT main{}, mine{};
  GetWindowRect(owner_->Handle(), &main);
  GetWindowRect(hwnd_, &mine);
  const LONG width = mine.right - mine.left, height = mine.bottom - mine.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner_->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  // Right of the main window, else left of it, below, above: the first
  // place where the whole window is on the monitor and leaves the main
  // window clear; else the first, moved onto the monitor.
  const POINT places[] = {{main.right, main.top}, {main.left - width, main.top}, {main.left, main.bottom},
                          {main.left, main.top - height}};
  POINT at = places[0];
  for (const POINT& p : places) {
    if (p.x >= work.left && p.y >= work.top && p.x + width <= work.right && p.y + height <= work.bottom) {
      at = p;
      break;
    }
  }
  at.x = std::max(work.left, std::min(at.x, work.right - width));
  at.y = std::max(work.top, std::min(at.y, work.bottom - height));
  SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormCheck::ShowFindings(HINSTANCE instance, TFormMain& owner, const std::vector<check::Diagnostic>& findings) {
  owner_ = &owner;
  if (!hwnd_ && !Build(instance)) return;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  lines_.clear();
  for (const check::Diagnostic& d : findings) {
    // As dxsim check says it: the message, the suggestion, the rule's name.
    std::string message = d.message;
    if (!d.suggestion.empty()) message += " (" + d.suggestion + ")";
    message += " [" + std::string(check::RuleOf(d.rule).name) + "]";
    AddRow(list_, static_cast<int>(lines_.size()), d.line > 0 ? std::to_wstring(d.line) : std::wstring(),
           Wide(check::SeverityName(d.severity())), WideFromScriptBytes(message));
    lines_.push_back(d.line);
  }
  if (findings.empty()) {
    AddRow(list_, 0, L"", L"", Wide(kCheckNoFindings));
    lines_.push_back(0);
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  ShowWindow(hwnd_, IsWindowVisible(hwnd_) ? SW_SHOWNA : SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  SetFocus(list_);
}

LRESULT TFormCheck::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: LayOut(); return 0;
    case WM_NOTIFY: OnNotify(*reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(ReadDpiChange(wParam, lParam)); return 0;
    case WM_CLOSE: ShowWindow(hwnd_, SW_HIDE); return 0;
    default: return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void TFormCheck::LayOut() {
  if (!list_) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  MoveWindow(list_, 0, 0, client.right, client.bottom, TRUE);
  // The message column reaches the right edge.
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 2, LVSCW_AUTOSIZE_USEHEADER);
}

void TFormCheck::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != list_) return;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) ListFindingsSelect(change.iItem);
  } else if (header.code == LVN_ITEMACTIVATE) {
    ListFindingsActivate(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
  } else if (header.code == LVN_KEYDOWN) {
    const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
    if (key == VK_ESCAPE) ShowWindow(hwnd_, SW_HIDE);
    if (key == VK_F7) owner_->CheckScriptClick();  // again, after an edit
  }
}

void TFormCheck::OnDpiChanged(const DpiChange& change) {
  dpi_ = change.dpi;
  ControlFont next;
  next.Reset(dpi_);
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
  font_ = std::move(next);
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, layout::Scaled(kLineColumn, dpi_));
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, layout::Scaled(kSeverityColumn, dpi_));
  const RECT& place = change.suggested;
  SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
}

int TFormCheck::LineOf(int row) const {
  if (row < 0 || row >= static_cast<int>(lines_.size())) return -1;
  return lines_[static_cast<size_t>(row)] - 1;
}

void TFormCheck::ListFindingsSelect(int row) {
  if (const int line = LineOf(row); line >= 0) owner_->SelectCodeLine(line);
}

void TFormCheck::ListFindingsActivate(int row) {
  if (LineOf(row) < 0) return;
  ListFindingsSelect(row);
  SetForegroundWindow(owner_->Handle());
  SetFocus(owner_->Control(layout::IdMemo));
}

}  // namespace dx::ui
