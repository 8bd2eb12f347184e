// Builds the controls of one window by walking the control table.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <unordered_map>

#include "ui/control_font.h"
#include "ui/dpi.h"
#include "ui/layout.h"

namespace dx::ui {

// Registers a window class of the program: arrow cursor, button-face
// background, and the given icon (none when null).
void RegisterFormClass(HINSTANCE instance, WNDPROC proc, const wchar_t* name, HICON icon = nullptr);

// The class of the page containers; registered once.
void RegisterPageClass(HINSTANCE instance);

// Makes a group box pass its children's notifications on
// to its top-level window, where the handlers live.
void ForwardNotificationsToTopLevel(HWND container);

// The edits below get a window procedure of the program's own: one plain
// procedure per kind that passes messages on to the system's procedure of
// the class.

// Receives the key presses of key-capture edits.
class KeyDownSink {
 public:
  // May replace `key`, or consume it by setting it to 0.
  virtual void EditKeyDown(HWND edit, uint16_t& key) = 0;

 protected:
  ~KeyDownSink() = default;
};

// An edit that takes every key itself, Tab and Enter included.
void UseWantAllKeysProcedure(HWND edit);
// A key-capture edit: takes every key, and each key press goes to `sink`
// before the edit sees it.
void UseKeyCaptureProcedure(HWND edit, KeyDownSink& sink);

// The fonts of a window's controls at one DPI (see control_font.h), owned:
// deleted when replaced and when its window object goes. A window that
// changes DPI builds the new fonts beside the old and moves them in once
// every control has switched.
class ControlFont {
 public:
  ControlFont() = default;
  ControlFont(const ControlFont&) = delete;
  ControlFont& operator=(const ControlFont&) = delete;
  ControlFont& operator=(ControlFont&& other) noexcept;
  ~ControlFont();
  // The face and character height of the control table at `dpi`.
  void Reset(int dpi);
  // The machine's variant: document text.
  HFONT Get() const { return fonts_[static_cast<int>(Letters::Machine)]; }
  HFONT For(const layout::ControlRow& row) const;

 private:
  void Delete();
  std::array<HFONT, 2> fonts_ = {};  // by Letters
};

struct ControlContext {
  HINSTANCE instance;
  const ControlFont& font;
  int dpi;
};

// Creates the control, child of `parent`, placed and captioned from its row.
HWND CreateControl(const layout::ControlRow& entry, HWND parent, const ControlContext& context);

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

// A window's move to another DPI: a font at the new DPI replaces `font` once
// every control of the map has its row's place, size and font at that DPI;
// then the window takes the place the system suggests. Controls whose place
// the window computes get the table's place here and the window's own when
// it lays itself out after.
void Rescale(HWND window, const DpiChange& change, const ControlMap& controls, ControlFont& font, HINSTANCE instance);

}  // namespace dx::ui
