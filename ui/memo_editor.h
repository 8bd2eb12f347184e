// The code memo as the engine reads it. Its text and line starts are kept
// in a cache, so that reading a line costs the same in a long script as in
// a short one. The cache is dropped whenever the edit might have changed:
// the memo is subclassed, and every message except those known to leave
// the text alone (painting, reading, selecting, scrolling, focus, mouse
// moves) drops it before and after it is handled; EN_CHANGE and EN_UPDATE
// drop it too. An edit made while a script runs is thus seen at the next
// line.
#pragma once

#include <windows.h>

#include <string>

#include "ui/memo_lines.h"

namespace dx::ui {

class MemoEditor {
 public:
  void Attach(HWND memo);
  HWND Handle() const { return memo_; }

  int RawLineCount();
  std::string Line(int index);
  void Select(int start, int length);
  int SelectionLength();
  void Invalidate() { valid_ = false; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  const LineIndex& Lines();

  HWND memo_ = nullptr;
  LineIndex lines_;
  bool valid_ = false;
};

// True for messages that cannot change an edit's text.
bool LeavesEditTextAlone(UINT message);

}  // namespace dx::ui
