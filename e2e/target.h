// Windows of the driver that stand in for "the other application": they
// record every mouse and key message they receive, in client coordinates,
// and can change their colour on command. In demo mode a target also draws
// the strokes made with the left button held down.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dxe {

enum class Ev { Activate, Move, LDown, LUp, RDown, RUp, MDown, MUp, LDouble, KeyDown, KeyUp, Char };

struct Event {
  Ev kind;
  int x = 0, y = 0;    // client coordinates of mouse events
  unsigned code = 0;  // virtual-key code or character
  // Of key messages, lParam's bits 16-24: the scan code and, in bit 8, the
  // extended-key bit.
  int key_data = 0;
  double at_ms = 0;
};

const char* EvName(Ev kind);

class Target {
 public:
  Target(const std::wstring& title, int x, int y, int width, int height, bool draw_strokes = false);
  ~Target();
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  HWND Hwnd() const { return hwnd_; }
  // The picker's entry for this window: 8 hex digits, " - ", the title.
  std::wstring Entry() const;
  POINT ToScreen(int client_x, int client_y) const;
  // Waits until this window is in front. Under Wine without a window
  // manager the desktop takes the foreground when the X focus passes to a
  // window of another process just after this one was activated; it is
  // handed back, since that is Wine's bookkeeping, not the program's doing.
  bool WaitInFront(int timeout_ms);
  // Repaints the whole client area in `colour` and makes it reach the screen.
  void Fill(COLORREF colour);

  const std::vector<Event>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  // Index of the first event of this kind at or after `from` (and, for
  // mouse events given x >= 0, at this point; for key events given
  // key_data >= 0, with that scan code and extended bit); -1 when none.
  int Find(Ev kind, int from = 0, int x = -1, int y = -1, unsigned code = 0, int key_data = -1) const;
  std::string Describe() const;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Record(Ev kind, LPARAM lp, unsigned code = 0);

  HWND hwnd_ = nullptr;
  std::wstring title_;
  COLORREF colour_ = RGB(255, 255, 255);
  bool draw_strokes_;
  bool drawing_ = false;
  std::vector<std::vector<POINT>> strokes_;
  std::vector<Event> events_;
};

}  // namespace dxe
