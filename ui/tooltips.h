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

 private:
  HWND tooltip_ = nullptr;
};

}  // namespace dx::ui
