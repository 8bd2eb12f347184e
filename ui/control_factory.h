// Builds the controls of one window by walking the control table.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "ui/layout.h"

namespace dx::ui {

// The class of the page containers; registered once.
// Registers a window class of the program: arrow cursor, button-face
// background, and the given icon (none when null).
void RegisterFormClass(HINSTANCE instance, WNDPROC proc, const wchar_t* name, HICON icon = nullptr);

void RegisterPageClass(HINSTANCE instance);

// Makes a container (page, group box) pass its children's notifications on
// to its top-level window, where the handlers live.
void ForwardNotificationsToTopLevel(HWND container);

struct ControlContext {
  HINSTANCE instance;
  HFONT font;
  int dpi;
};

// Creates the control, child of `parent`, placed and captioned from its row.
HWND CreateControl(const layout::ControlSpec& entry, HWND parent, const ControlContext& context);

// The width of a label's text in the control font.
int TextWidth(HWND control, HFONT font, const wchar_t* text);

class ControlMap {
 public:
  void Add(int id, HWND control) { byId_[id] = control; }
  HWND operator[](int id) const {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
  }

 private:
  std::unordered_map<int, HWND> byId_;
};

}  // namespace dx::ui
