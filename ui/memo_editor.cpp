#include "ui/memo_editor.h"

#include <string_view>

#include "win32/text_encoding.h"
#include "ui/subclass.h"
#include "texts/program_texts.h"

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

// The context menu: the entries the edit's own menu has, in its order, each
// the message it sends to the memo, then the check. Separators have no text.
enum class Enabled { Always, CanUndo, HasSelection, CanPaste, HasText };

struct MenuRow {
  std::string_view text;
  UINT message;  // 0: the check
  WPARAM wParam;
  LPARAM lParam;
  Enabled enabled;
};

constexpr MenuRow kMenu[] = {
    {dx::kMenuUndo, WM_UNDO, 0, 0, Enabled::CanUndo},
    {{}, 0, 0, 0, Enabled::Always},
    {dx::kMenuCut, WM_CUT, 0, 0, Enabled::HasSelection},
    {dx::kMenuCopy, WM_COPY, 0, 0, Enabled::HasSelection},
    {dx::kMenuPaste, WM_PASTE, 0, 0, Enabled::CanPaste},
    {dx::kMenuDelete, WM_CLEAR, 0, 0, Enabled::HasSelection},
    {{}, 0, 0, 0, Enabled::Always},
    {dx::kMenuSelectAll, EM_SETSEL, 0, -1, Enabled::HasText},
    {{}, 0, 0, 0, Enabled::Always},
    {dx::kMenuCheckScript, 0, 0, 0, Enabled::Always},
};

bool IsEnabled(HWND memo, Enabled enabled) {
  DWORD start = 0, end = 0;
  SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  switch (enabled) {
    case Enabled::Always: return true;
    case Enabled::CanUndo: return SendMessageW(memo, EM_CANUNDO, 0, 0) != 0;
    case Enabled::HasSelection: return end > start;
    case Enabled::CanPaste: return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
    case Enabled::HasText: return GetWindowTextLengthW(memo) > 0;
  }
  return true;
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
  editProc_ = Subclass(memo, &MemoEditor::WindowProc);
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
  if (message == WM_CONTEXTMENU) {
    ShowContextMenu(lParam);
    return 0;
  }
  if (message == WM_KEYDOWN && wParam == VK_F7) {
    CheckScript();
    return 0;
  }
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

void MemoEditor::CheckScript() {
  SendMessageW(GetAncestor(memo_, GA_ROOT), WM_COMMAND, MAKEWPARAM(kCheckScriptCommand, 0), 0);
}

void MemoEditor::ShowContextMenu(LPARAM where) {
  POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: at the caret, or the memo's corner when the caret
    // stands past the last character (no place to tell).
    DWORD start = 0;
    SendMessageW(memo_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const LRESULT place = SendMessageW(memo_, EM_POSFROMCHAR, start, 0);
    at = place == -1 ? POINT{0, 0} : POINT{static_cast<short>(LOWORD(place)), static_cast<short>(HIWORD(place))};
    ClientToScreen(memo_, &at);
  }
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  UINT id = 1;
  for (const MenuRow& row : kMenu) {
    if (row.text.empty()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      const UINT state = IsEnabled(memo_, row.enabled) ? MF_ENABLED : MF_GRAYED;
      AppendMenuW(menu, MF_STRING | state, id, win::WideFromProgramText(row.text).c_str());
    }
    ++id;
  }
  SetFocus(memo_);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, memo_, nullptr));
  DestroyMenu(menu);
  if (chosen == 0 || chosen > std::size(kMenu)) return;
  const MenuRow& row = kMenu[chosen - 1];
  if (row.message == 0) {
    CheckScript();
  } else {
    SendMessageW(memo_, row.message, row.wParam, row.lParam);
  }
}

void MemoEditor::SelectLine(int index) {
  if (index < 0 || index >= static_cast<int>(SendMessageW(memo_, EM_GETLINECOUNT, 0, 0))) return;
  const LRESULT start = SendMessageW(memo_, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
  if (start < 0) return;
  const LRESULT length = SendMessageW(memo_, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  // The highlight a run asked for gives way: this selection is the user's.
  selectionHeldBack_ = false;
  selection_ = {static_cast<int>(start), static_cast<int>(start + length)};
  SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
  SendMessageW(memo_, EM_SCROLLCARET, 0, 0);
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
