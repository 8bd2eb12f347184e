#include "ui/control_factory.h"

#include <commctrl.h>

#include <utility>

#include "win32/text_encoding.h"
#include "ui/control_font.h"
#include "ui/subclass.h"

namespace dx::ui {
namespace {

using layout::ControlRow;
using layout::Kind;

constexpr wchar_t kPageClass[] = L"DorvaxilPage";
constexpr int kTabItemHeight = 20;

bool IsForwarded(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return true;
    default:
      return false;
  }
}

LRESULT ForwardToTopLevel(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsForwarded(message)) return ForwardToTopLevel(window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// The system's procedures of the classes the program gives procedures of
// its own; every window of a class shares its class's procedure.
WNDPROC gEditProc = nullptr;
WNDPROC gButtonProc = nullptr;

// Gives `control` the procedure `proc`, remembering its class's own.
void ReplaceProcedure(HWND control, WNDPROC proc, WNDPROC& classProc) {
  const WNDPROC old = Subclass(control, proc);
  if (!classProc) classProc = old;
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsForwarded(message)) return ForwardToTopLevel(window, message, wParam, lParam);
  if (message == WM_ERASEBKGND) {
    // A group box paints only its frame; its inside is the page's face.
    RECT inside{};
    GetClientRect(window, &inside);
    FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
  return CallWindowProcW(gButtonProc, window, message, wParam, lParam);
}

LRESULT CALLBACK WantAllKeysProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(gEditProc, window, message, wParam, lParam);
  return message == WM_GETDLGCODE ? result | DLGC_WANTALLKEYS : result;
}

LRESULT CALLBACK KeyCaptureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    auto* sink = reinterpret_cast<KeyDownSink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    uint16_t key = static_cast<uint16_t>(wParam);
    sink->EditKeyDown(window, key);
    if (key == 0) return 0;  // consumed
    wParam = key;
  }
  return WantAllKeysProc(window, message, wParam, lParam);
}

struct WindowRecipe {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowRecipe RecipeFor(const ControlRow& entry) {
  const DWORD tab = entry.Has(layout::kTabStop) ? WS_TABSTOP : 0;
  switch (entry.kind) {
    case Kind::TabControl:
      return {WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::StatusBar:
      return {STATUSCLASSNAMEW, SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0};
    case Kind::Page:
      return {kPageClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::GroupBox:
      return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case Kind::Label:
      return {L"STATIC", SS_LEFT, 0};
    case Kind::Edit:
      return {L"EDIT", ES_AUTOHSCROLL | (entry.Has(layout::kReadOnly) ? ES_READONLY : 0u) | tab, WS_EX_CLIENTEDGE};
    case Kind::Memo: {
      DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | tab;
      if (entry.Has(layout::kScrollBars)) style |= ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL;
      if (entry.Has(layout::kNoHideSel)) style |= ES_NOHIDESEL;
      return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
    case Kind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | tab, 0};
    case Kind::PushButton:
      return {L"BUTTON", (entry.Has(layout::kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | tab, 0};
    case Kind::PictureButton:
      return {L"BUTTON", BS_OWNERDRAW | tab, 0};
    case Kind::ListBox:
      return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | tab, WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", 0, 0};
}

// Document controls keep the machine's ANSI code page byte for byte; the
// program's own captions are UTF-8.
bool HoldsDocumentText(Kind kind) { return kind == Kind::Edit || kind == Kind::Memo; }

void ApplyCaption(HWND control, const ControlRow& entry) {
  if (entry.caption.empty() || entry.kind == Kind::Page) return;
  if (HoldsDocumentText(entry.kind)) {
    SetWindowTextA(control, entry.caption.c_str());
  } else {
    SetWindowTextW(control, win::WideFromProgramText(entry.caption).c_str());
  }
}

void FinishControl(HWND control, const ControlRow& entry) {
  switch (entry.kind) {
    case Kind::StatusBar:
      SendMessageW(control, SB_SIMPLE, TRUE, 0);
      break;
    case Kind::GroupBox:
      ForwardNotificationsToTopLevel(control);
      break;
    case Kind::Memo:
      SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
      break;
    case Kind::CheckBox:
      SendMessageW(control, BM_SETCHECK, entry.Has(layout::kChecked) ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Kind::TabControl: {
      int index = 0;
      for (const char* caption : layout::kPageCaptions) {
        std::wstring text = win::WideFromProgramText(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(control, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
      }
      break;
    }
    default:
      break;
  }
}

// Everything about a control that depends on the DPI.
void PlaceControl(HWND control, const ControlRow& entry, const ControlContext& context) {
  const int dpi = context.dpi;
  HFONT font = context.font.For(entry);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int width = layout::Scaled(entry.width, dpi);
  if (entry.Has(layout::kAutoWidth)) {
    const std::wstring text = win::WideFromProgramText(entry.caption);
    width = TextWidth(control, font, text.c_str());
  }
  SetWindowPos(control, nullptr, layout::Scaled(entry.left, dpi), layout::Scaled(entry.top, dpi), width,
               layout::Scaled(entry.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  if (entry.kind == Kind::ListBox)
    SendMessageW(control, LB_SETITEMHEIGHT, 0, layout::Scaled(layout::kListEntryHeight, dpi));
  // The classic tab strip: pages start 24 pixels down whatever the font.
  if (entry.kind == Kind::TabControl)
    SendMessageW(control, TCM_SETITEMSIZE, 0, MAKELPARAM(0, layout::Scaled(kTabItemHeight, dpi)));
  InvalidateRect(control, nullptr, TRUE);
}

}  // namespace

void RegisterFormClass(HINSTANCE instance, WNDPROC proc, const wchar_t* name, HICON icon) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

void RegisterPageClass(HINSTANCE instance) { RegisterFormClass(instance, PageProc, kPageClass); }

void ForwardNotificationsToTopLevel(HWND container) { ReplaceProcedure(container, ContainerProc, gButtonProc); }

void UseWantAllKeysProcedure(HWND edit) { ReplaceProcedure(edit, WantAllKeysProc, gEditProc); }

void UseKeyCaptureProcedure(HWND edit, KeyDownSink& sink) {
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&sink));
  ReplaceProcedure(edit, KeyCaptureProc, gEditProc);
}

ControlFont::~ControlFont() { Delete(); }

void ControlFont::Delete() {
  for (HFONT& font : fonts_) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
}

ControlFont& ControlFont::operator=(ControlFont&& other) noexcept {
  if (this != &other) {
    Delete();
    std::swap(fonts_, other.fonts_);
  }
  return *this;
}

void ControlFont::Reset(int dpi) {
  ControlFont next;
  for (const Letters letters : {Letters::Machine, Letters::ProgramTexts})
    next.fonts_[static_cast<int>(letters)] = CreateControlFont(dpi, letters);
  *this = std::move(next);
}

HFONT ControlFont::For(const layout::ControlRow& row) const {
  return fonts_[static_cast<int>(LettersOf(row))];
}

int TextWidth(HWND control, HFONT font, const wchar_t* text) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

HWND CreateControl(const ControlRow& entry, HWND parent, const ControlContext& context) {
  const WindowRecipe recipe = RecipeFor(entry);
  const bool visible = entry.kind != Kind::Page || entry.page == layout::Page::Main;
  HWND control = CreateWindowExW(recipe.exStyle, recipe.className, L"",
                                 WS_CHILD | (visible ? WS_VISIBLE : 0u) | recipe.style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), context.instance, nullptr);
  if (!control) return nullptr;
  ApplyCaption(control, entry);
  FinishControl(control, entry);
  PlaceControl(control, entry, context);
  return control;
}

void Rescale(HWND window, const DpiChange& change, const ControlMap& controls, ControlFont& font, HINSTANCE instance) {
  ControlFont next;
  next.Reset(change.dpi);
  const ControlContext context{instance, next, change.dpi};
  for (const ControlRow& entry : layout::Controls()) {
    if (HWND control = controls[entry.id]) PlaceControl(control, entry, context);
  }
  font = std::move(next);
  const RECT& place = change.suggested;
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace dx::ui
