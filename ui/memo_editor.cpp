#include "ui/memo_editor.h"

#include <commctrl.h>

namespace dx::ui {

bool LeavesEditTextAlone(UINT message) {
  switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
    case WM_TIMER:
    case WM_SETCURSOR:
    case WM_NCHITTEST:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
    case WM_MOUSEHOVER:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETDLGCODE:
    case WM_GETFONT:
    case WM_GETOBJECT:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
    case WM_SIZE:
    case WM_NCCALCSIZE:
    case WM_SHOWWINDOW:
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_SCROLLCARET:
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_GETLINE:
    case EM_LINEFROMCHAR:
    case EM_GETFIRSTVISIBLELINE:
    case EM_GETMODIFY:
    case EM_GETRECT:
    case EM_POSFROMCHAR:
    case EM_CHARFROMPOS:
    case EM_LINESCROLL:
    case EM_SCROLL:
      return true;
    default:
      return false;
  }
}

void MemoEditor::Attach(HWND memo) {
  memo_ = memo;
  valid_ = false;
  SetWindowSubclass(memo, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK MemoEditor::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
  auto* editor = reinterpret_cast<MemoEditor*>(self);
  const bool mayChange = !LeavesEditTextAlone(message);
  if (mayChange) editor->valid_ = false;
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (mayChange) editor->valid_ = false;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, SubclassProc, 1);
  return result;
}

const LineIndex& MemoEditor::Lines() {
  if (!valid_) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(memo_)) + 1, '\0');
    const int length = GetWindowTextA(memo_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    lines_.Assign(std::move(text));
    valid_ = true;
  }
  return lines_;
}

int MemoEditor::RawLineCount() { return Lines().RawLineCount(); }

std::string MemoEditor::Line(int index) { return std::string(Lines().Line(index)); }

void MemoEditor::Select(int start, int length) {
  SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
  SendMessageW(memo_, EM_SCROLLCARET, 0, 0);
}

int MemoEditor::SelectionLength() {
  DWORD start = 0, end = 0;
  SendMessageW(memo_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end) - static_cast<int>(start);
}

}  // namespace dx::ui
