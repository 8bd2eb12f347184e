// The code memo as the engine reads it. Its text and line starts are kept
// in a cache, so that reading a line costs the same in a long script as in
// a short one. The cache is dropped whenever the edit might have changed:
// every message except those known to leave the text alone (painting,
// reading, selecting, scrolling, focus, mouse moves) drops it before and
// after it is handled; EN_CHANGE and EN_UPDATE drop it too. An edit made
// while a script runs is thus seen at the next line.
//
// The highlight is set on the control at the pace of the display: a
// selection asked for is computed at once (clipped as the control clips
// it), but given to the control only when a frame is due, when the frame
// timer fires, when the caller asks for it, and before any message that
// could read or change the text or the selection reaches the control.
// Whoever looks therefore always finds the selection last asked for.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/crlf_lines.h"

namespace dx::ui {

// The command the memo's "Check script" entry and F7 send to the memo's
// top-level window as WM_COMMAND.
inline constexpr int kCheckScriptCommand = 0x0C0D;

class MemoEditor {
 public:
  // Gives the memo this editor's window procedure. The memo wants every
  // key (Tab and Enter are text). Its context menu is the edit's own
  // entries and "Check script"; F7 checks as well.
  void Attach(HWND memo);
  HWND Handle() const { return memo_; }

  int RawLineCount();
  std::string Line(int index);
  void Select(int start, int length);
  // The length of the selection last set, as the control holds it.
  int SelectionLength() const { return selection_.end - selection_.start; }
  // Hands a selection still held back to the control now.
  void ShowSelection();
  // Selects the whole of line `index` (0-based) and scrolls to it; nothing
  // when there is no such line.
  void SelectLine(int index);
  void Invalidate() { valid_ = false; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void ShowContextMenu(LPARAM where);
  void CheckScript();
  const LineIndex& Lines();
  bool FrameDue() const;

  HWND memo_ = nullptr;
  WNDPROC editProc_ = nullptr;
  LineIndex lines_;
  int textChars_ = 0;  // the control's own text length, in its characters
  bool valid_ = false;
  Selection selection_;
  bool selectionHeldBack_ = false;
  bool timerArmed_ = false;
  int64_t lastShown_ = INT64_MIN / 2;  // performance-counter ticks
};

// True for messages that cannot change an edit's text.
bool LeavesEditTextAlone(UINT message);
// True for messages that neither read nor change an edit's text or
// selection, so a held-back selection may wait for them.
bool LeavesEditSelectionAlone(UINT message);

}  // namespace dx::ui
