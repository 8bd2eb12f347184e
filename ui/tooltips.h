// One tooltip window per top-level window, showing each control's hint.
#pragma once

#include <windows.h>

#include <string_view>

namespace dx::ui {

class Tooltips {
 public:
  void Create(HINSTANCE instance);
  // Shows `hint` (UTF-8) when the pointer rests on `control`.
  void Add(HWND control, std::string_view hint);
  // The tooltip window; it learns where the pointer is from the mouse
  // messages relayed to it by the message loop.
  HWND Window() const { return tooltip_; }
  // Off: no tip shows (one showing is hidden) until switched on again.
  void Enable(bool on);

 private:
  HWND tooltip_ = nullptr;
};

}  // namespace dx::ui
