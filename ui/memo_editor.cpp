#include "ui/memo_editor.h"


namespace dx::ui {
namespace {

// A frame of a 60 Hz display.
constexpr int64_t kFrameMs = 16;
constexpr UINT_PTR kFrameTimer = 0x4458;

int64_t NowTicks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

int64_t TicksPerFrame() {
  static const int64_t ticks = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart * kFrameMs / 1000;
  }();
  return ticks;
}

}  // namespace


bool LeavesEditSelectionAlone(UINT message) {
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
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_GETFONT:
    case WM_GETDLGCODE:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
    case WM_SIZE:
    case WM_NCCALCSIZE:
    case WM_SHOWWINDOW:
      return true;
    default:
      return false;
  }
}

bool LeavesEditTextAlone(UINT message) {
  if (LeavesEditSelectionAlone(message)) return true;
  // These read the text or the selection, or move the selection; none changes the text.
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETOBJECT:
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
  SetWindowLongPtrW(memo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  editProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MemoEditor::WindowProc)));
}

LRESULT CALLBACK MemoEditor::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* editor = reinterpret_cast<MemoEditor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return editor->HandleMessage(message, wParam, lParam);
}

LRESULT MemoEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kFrameTimer) {
    KillTimer(memo_, kFrameTimer);
    timerArmed_ = false;
    ShowSelection();
    return 0;
  }
  if (!LeavesEditSelectionAlone(message)) ShowSelection();
  const bool mayChange = !LeavesEditTextAlone(message);
  if (mayChange) valid_ = false;
  LRESULT result = CallWindowProcW(editProc_, memo_, message, wParam, lParam);
  if (mayChange) valid_ = false;
  // Tab and Enter are text in the memo, not dialog navigation.
  if (message == WM_GETDLGCODE) result |= DLGC_WANTALLKEYS;
  return result;
}

const LineIndex& MemoEditor::Lines() {
  if (!valid_) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(memo_)) + 1, '\0');
    const int length = GetWindowTextA(memo_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    lines_.Assign(std::move(text));
    textChars_ = GetWindowTextLengthW(memo_);
    valid_ = true;
  }
  return lines_;
}

int MemoEditor::RawLineCount() { return Lines().RawLineCount(); }

std::string MemoEditor::Line(int index) { return std::string(Lines().Line(index)); }

bool MemoEditor::FrameDue() const { return NowTicks() - lastShown_ >= TicksPerFrame(); }

void MemoEditor::Select(int start, int length) {
  Lines();
  selection_ = ClippedSelection(start, length, textChars_);
  selectionHeldBack_ = true;
  if (FrameDue()) {
    ShowSelection();
  } else if (!timerArmed_) {
    // A run that pauses (DELAY, a long handler) still shows its line.
    timerArmed_ = SetTimer(memo_, kFrameTimer, static_cast<UINT>(kFrameMs), nullptr) != 0;
  }
}

void MemoEditor::ShowSelection() {
  if (!selectionHeldBack_) return;
  selectionHeldBack_ = false;  // first: the messages below come back through this editor
  SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(selection_.start), static_cast<LPARAM>(selection_.end));
  SendMessageW(memo_, EM_SCROLLCARET, 0, 0);
  // The next frame counts from here: where showing a selection is slow (a
  // scrolled view under Wine), the run still gets most of the time.
  lastShown_ = NowTicks();
}

}  // namespace dx::ui
