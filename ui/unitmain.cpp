#include "ui/unitmain.h"

#include <commctrl.h>

#include <algorithm>

#include "checker/check_script.h"
#include "win32/file_dialogs.h"
#include "win32/system_commands.h"
#include "win32/text_encoding.h"
#include "scriptfile/script_file.h"
#include "texts/program_texts.h"
#include "ui/button_pictures.h"
#include "ui/dpi.h"
#include "ui/error_display.h"
#include "ui/form_window_proc.h"
#include "ui/layout.h"
#include "ui/res/resource_ids.h"
#include "ui/unitwin.h"

namespace dx::ui {
namespace {

using layout::ControlRow;
using layout::Kind;

std::string WindowTextA(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return text;
}

std::string WindowTextW(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return win::ProgramTextFromWide(text);
}

bool IsKeyCaptureEdit(int id) {
  return id == layout::IdEditStopKey || (id >= layout::KeyId(1) && id <= layout::KeyId(kKeySlotCount));
}

}  // namespace

int TFormMain::S(int value) const { return layout::Scaled(value, dpi_); }

void TFormMain::RegisterWindowClass(HINSTANCE instance) {
  RegisterFormClass(instance, FormWindowProc<TFormMain>, win::WideFromProgramText(layout::kMainWindowClass).c_str(),
                    LoadIconW(instance, MAKEINTRESOURCEW(IDI_DORVAXIL)));
  RegisterPageClass(instance);
}

bool TFormMain::Create(HINSTANCE instance, win::MessagePump& pump) {
  instance_ = instance;
  pump_ = &pump;
  dpi_ = SystemDpi();
  font_.Reset(dpi_);
  const int width = S(layout::kMainStartWidth);
  const int height = S(layout::kMainStartHeight);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  CreateWindowExW(0, win::WideFromProgramText(layout::kMainWindowClass).c_str(),
                  win::WideFromProgramText(layout::kMainWindowCaption).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left, top, width, height,
                  nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  // A primary monitor scaled since log-on has a DPI of its own.
  if (const int dpi = WindowDpi(hwnd_); dpi != dpi_) {
    RECT place{left, top, left + layout::Scaled(layout::kMainStartWidth, dpi),
               top + layout::Scaled(layout::kMainStartHeight, dpi)};
    OnDpiChanged({dpi, place});
  }
  pump.AddDialogWindow(hwnd_);
  return true;
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_NOTIFY: OnNotify(*reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_SIZE: OnSize(wParam); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(ReadDpiChange(wParam, lParam)); return 0;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_HOTKEY: OnHotKey(wParam); return 0;
    case WM_ACTIVATEAPP: OnActivateApp(wParam != FALSE); return 0;
    case kApplicationDeactivatedMessage: OnApplicationDeactivated(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void TFormMain::OnCreate() {
  tooltips_.Create(instance_);
  pump_->RelayMouseTo(tooltips_.Window());
  BuildControls();
  platform_ = win::MakeEnginePlatform(hwnd_);
  LayoutFrame();
  FormCreate();
}

void TFormMain::BuildControls() {
  const ControlContext context{instance_, font_, dpi_};
  for (const ControlRow& entry : layout::Controls()) {
    HWND parent = nullptr;
    switch (entry.parent) {
      case layout::Parent::MainWindow: parent = hwnd_; break;
      case layout::Parent::TabMain: parent = Control(layout::IdTabMain); break;
      case layout::Parent::Page: parent = Control(layout::IdPageMain + static_cast<int>(entry.page) - 1); break;
      case layout::Parent::GroupBox1: parent = Control(layout::IdGroupBox1); break;
      case layout::Parent::Picker: continue;
    }
    HWND control = CreateControl(entry, parent, context);
    controls_.Add(entry.id, control);
    tooltips_.Add(control, entry.hint);
    if (entry.id == layout::IdMemo) {
      memo_.Attach(control);
    } else if (IsKeyCaptureEdit(entry.id)) {
      UseKeyCaptureProcedure(control, *this);
    } else if (entry.Has(layout::kWantTab)) {
      UseWantAllKeysProcedure(control);
    }
  }
  // BGO lies above the notebook, in the tab strip.
  SetWindowPos(Control(layout::IdBGO), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFormMain::EditKeyDown(HWND edit, uint16_t& key) {
  Guarded(hwnd_, [&] {
    if (GetDlgCtrlID(edit) == layout::IdEditStopKey) {
      EditStopKeyKeyDown(edit, key);
    } else {
      key1KeyDown(edit, key);
    }
  });
}

void TFormMain::ShowPage(int index) {
  const int count = layout::IdPageHelp - layout::IdPageMain + 1;
  if (index < 0 || index >= count) return;
  for (int i = 0; i < count; ++i) {
    if (i != index) ShowWindow(Control(layout::IdPageMain + i), SW_HIDE);
  }
  ShowWindow(Control(layout::IdPageMain + index), SW_SHOW);
}

void TFormMain::OnCommand(int id, int code, HWND) {
  if (id == kCheckScriptCommand) {
    CheckScriptClick();
    return;
  }
  if (id == layout::IdMemo && (code == EN_CHANGE || code == EN_UPDATE)) {
    memo_.Invalidate();
    return;
  }
  if (code != BN_CLICKED) return;
  // The click handler of each button, by its range of control ids; a
  // handler that serves a family tells its members apart by the sender.
  struct ClickRow {
    int first, last;
    void (*handler)(TFormMain& form, HWND sender);
  };
  static constexpr ClickRow kClicks[] = {
      {layout::IdBGO, layout::IdBGO, [](TFormMain& f, HWND) { f.BGOClick(); }},
      {layout::IdSBScriptLoad, layout::IdSBScriptLoad, [](TFormMain& f, HWND) { f.SBScriptLoadClick(); }},
      {layout::IdSBScriptSave, layout::IdSBScriptSave, [](TFormMain& f, HWND) { f.SBScriptSaveClick(); }},
      {layout::IdSBWin, layout::IdSBWin, [](TFormMain& f, HWND) { f.SBWinClick(); }},
      {layout::SBId(1), layout::SBId(kLocationSlotCount), [](TFormMain& f, HWND c) { f.SBClick(c); }},
      {layout::IdCheckAlt, layout::IdCheckAlt, [](TFormMain& f, HWND c) { f.CheckShiftClick(c); }},
      {layout::IdCheckCtrl, layout::IdCheckCtrl, [](TFormMain& f, HWND c) { f.CheckShiftClick(c); }},
      {layout::IdCheckShift, layout::IdCheckShift, [](TFormMain& f, HWND c) { f.CheckShiftClick(c); }},
      {layout::IdButton2, layout::IdButton2, [](TFormMain& f, HWND) { f.Button2Click(); }},
      {layout::IdButton1, layout::IdButton1, [](TFormMain& f, HWND) { f.Label61Click(); }},
  };
  for (const ClickRow& row : kClicks) {
    if (id >= row.first && id <= row.last) return row.handler(*this, Control(id));
  }
}

void TFormMain::OnNotify(const NMHDR& header) {
  if (header.idFrom == static_cast<UINT_PTR>(layout::IdTabMain) && header.code == TCN_SELCHANGE) {
    ShowPage(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
  }
}

void TFormMain::OnSize(WPARAM kind) {
  if (kind == SIZE_MINIMIZED || !Control(layout::IdTabMain)) return;
  LayoutFrame();
}

namespace {

bool InMainWindow(const ControlRow& row) { return row.parent != layout::Parent::Picker; }

bool KeepsItsHeightAtTheBottom(const ControlRow& row) {
  return row.Has(layout::kAlignBottom) && !row.Has(layout::kStretchHeight);
}

}  // namespace

RECT TFormMain::ParentArea(const ControlRow& row) {
  RECT area{};
  switch (row.parent) {
    case layout::Parent::MainWindow:
      // What the bottom-aligned frame controls (the status bar) leave over.
      GetClientRect(hwnd_, &area);
      for (const ControlRow& other : layout::Controls()) {
        if (other.parent == layout::Parent::MainWindow && &other != &row && KeepsItsHeightAtTheBottom(other)) {
          area.bottom = std::max(area.top, area.bottom - S(other.height));
        }
      }
      return area;
    case layout::Parent::TabMain: {
      // A page covers the notebook's display area.
      HWND tab = Control(layout::IdTabMain);
      GetClientRect(tab, &area);
      SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
      area.right = std::max(area.left, area.right);
      area.bottom = std::max(area.top, area.bottom);
      return area;
    }
    case layout::Parent::Page: GetClientRect(Control(layout::IdPageMain + static_cast<int>(row.page) - 1), &area); return area;
    case layout::Parent::GroupBox1: GetClientRect(Control(layout::IdGroupBox1), &area); return area;
    case layout::Parent::Picker: return area;
  }
  return area;
}

void TFormMain::PlaceAtBottom(const ControlRow& row, int height) {
  const RECT area = ParentArea(row);
  const int left = S(row.left);
  const int top = static_cast<int>(area.bottom) - S(row.bottomInset) - height;
  MoveWindow(Control(row.id), area.left + left, row.Has(layout::kStretchHeight) ? top : std::max<int>(area.top, top),
             std::max(0, static_cast<int>(area.right - area.left) - 2 * left), height, TRUE);
}

// Walks the table in its order, so that a parent is placed before the
// controls inside it: what fills its parent, then what keeps its height at
// the bottom; FormResize does the rest.
void TFormMain::LayoutFrame() {
  for (const ControlRow& row : layout::Controls()) {
    if (!InMainWindow(row)) continue;
    if (row.Has(layout::kFillParent)) {
      const RECT area = ParentArea(row);
      MoveWindow(Control(row.id), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    } else if (KeepsItsHeightAtTheBottom(row)) {
      PlaceAtBottom(row, S(row.height));
    }
  }
  FormResize();
}

// What follows the outer window's size: the stretching bottom-aligned
// controls (MemoNotes, inside its group box's border) and the right-anchored
// go button.
void TFormMain::FormResize() {
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  for (const ControlRow& row : layout::Controls()) {
    if (!InMainWindow(row)) continue;
    if (row.Has(layout::kAlignBottom) && row.Has(layout::kStretchHeight)) {
      PlaceAtBottom(row, layout::MemoNotesHeightFor(outer.bottom - outer.top, dpi_));
    }
    if (row.Has(layout::kRightAnchored)) {
      SetWindowPos(Control(row.id), HWND_TOP, layout::GoButtonLeftFor(outer.right - outer.left, dpi_), S(row.top), 0,
                   0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void TFormMain::OnDpiChanged(const DpiChange& change) {
  dpi_ = change.dpi;
  Rescale(hwnd_, change, controls_, font_, instance_);
  // The size may be the same in pixels: lay out all the same.
  LayoutFrame();
}

void TFormMain::OnGetMinMaxInfo(MINMAXINFO& info) {
  info.ptMinTrackSize.x = S(layout::kMainMinWidth);
  info.ptMinTrackSize.y = S(layout::kMainMinHeight);
}

void TFormMain::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const ControlRow* entry = layout::FindControl(static_cast<int>(item.CtlID));
  if (entry && entry->kind == Kind::PictureButton) DrawPictureButton(item, entry->picture, dpi_);
}

LRESULT TFormMain::OnCtlColorStatic(HDC dc, HWND control) {
  // Read-only edits keep the window colour, like the editable ones.
  const ControlRow* entry = layout::FindControl(GetDlgCtrlID(control));
  if (entry && entry->kind == Kind::Edit) {
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

void TFormMain::OnClose() {
  // A run reads the controls until it has unwound: end it first, destroy after.
  if (runDepth_ > 0) {
    closeRequested_ = true;
    fields_.StopRequested = true;
    return;
  }
  DestroyWindow(hwnd_);
}

void TFormMain::FinishDeferredClose() {
  if (runDepth_ > 0) return;
  pump_->RepostQuit();
  if (closeRequested_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

// ---- Handlers -------------------------------------------------------------

void TFormMain::BGOClick() {
  // While a script drives the mouse no tip may pop up over the desktop: it
  // could take a click meant for the target, or the foreground from it.
  if (runDepth_ == 0) tooltips_.Enable(false);
  ++runDepth_;
  bool failed = false;
  MessageText failure;
  try {
    Click(*this, *platform_);
  } catch (...) {
    failed = true;
    failure = MessageOfCurrentException();
  }
  --runDepth_;
  if (runDepth_ == 0) tooltips_.Enable(true);
  if (failed && !ApplicationTerminating()) ShowErrorBox(hwnd_, failure);
  FinishDeferredClose();
}

void TFormMain::SBScriptLoadClick() {
  const auto path = win::AskOpenFileName(hwnd_, {std::string(kLoadDialogTitle), "", openDialogName_});
  if (!path) return;
  openDialogName_ = *path;
  SetWindowTextA(Control(layout::IdEditScript), path->c_str());
  ScriptDocument document = DocumentFromControls(*this);
  try {
    ReadScriptFile(*path, document, files_);
  } catch (...) {
    // What the read changed before it failed stays.
    DocumentToControls(document, *this);
    throw;
  }
  DocumentToControls(document, *this);
}

void TFormMain::SBScriptSaveClick() {
  const std::string preset = Text(layout::IdEditScript);
  const auto path = win::AskSaveFileName(hwnd_, {std::string(kSaveDialogTitle), "dxs", preset});
  if (!path) return;
  SetWindowTextA(Control(layout::IdEditScript), path->c_str());
  WriteScriptFile(DocumentFromControls(*this), *path, files_);
}

void TFormMain::SBWinClick() {
  if (picker_) picker_->ShowPicker();
}

void TFormMain::Button2Click() { win::PostClickToFixedWindow(); }

void TFormMain::Label61Click() { win::StartHelpEditor(); }

void TFormMain::CheckScriptClick() {
  check::CheckOptions options;
  options.screen = {platform_->ScreenWidth(), platform_->ScreenHeight()};
  check_.ShowFindings(instance_, *this, check::CheckScript(DocumentFromControls(*this), options));
}

void TFormMain::SelectCodeLine(int index) {
  const int code = layout::IdPageCode - layout::IdPageMain;
  SendMessageW(Control(layout::IdTabMain), TCM_SETCURSEL, static_cast<WPARAM>(code), 0);
  ShowPage(code);
  memo_.SelectLine(index);
}

// ---- The engine's view ----------------------------------------------------

int TFormMain::EditorLineCount() { return memo_.RawLineCount(); }

std::string TFormMain::EditorLine(int index) { return memo_.Line(index); }

void TFormMain::SelectInEditor(int start, int length) { memo_.Select(start, length); }

int TFormMain::EditorSelectionLength() { return memo_.SelectionLength(); }

void TFormMain::ShowEditorSelection() { memo_.ShowSelection(); }

std::string TFormMain::LocationXText(int n) {
  return IsLocationSlot(n) ? Text(layout::PxId(n)) : std::string();
}

std::string TFormMain::LocationYText(int n) {
  return IsLocationSlot(n) ? Text(layout::PyId(n)) : std::string();
}

std::string TFormMain::KeySlotText(int n) {
  return IsKeySlot(n) ? Text(layout::KeyId(n)) : std::string();
}

std::string TFormMain::TargetWindowText() { return Text(layout::IdEditWin); }

void TFormMain::SetStatusText(std::string_view utf8) {
  const std::wstring text = win::WideFromProgramText(utf8);
  SendMessageW(Control(layout::IdSBar), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
  notRegisteredWarningShown_ = false;
}

std::string TFormMain::GoCaption() { return WindowTextW(Control(layout::IdBGO)); }

void TFormMain::SetGoCaption(std::string_view caption) {
  SetWindowTextW(Control(layout::IdBGO), win::WideFromProgramText(caption).c_str());
}

void TFormMain::ShowPlainMessage(std::string_view utf8) { win::ShowMessageBox(hwnd_, utf8, win::BoxIcon::None); }

void TFormMain::DeliverMessages() { pump_->DeliverPending(); }

bool TFormMain::ApplicationTerminating() { return closeRequested_ || pump_->QuitSeen(); }

// ---- Document texts -------------------------------------------------------

std::string TFormMain::Text(int id) { return WindowTextA(Control(id)); }

void TFormMain::SetText(int id, const std::string& text) { SetWindowTextA(Control(id), text.c_str()); }

void TFormMain::CaretToStart(int id) {
  SendMessageW(Control(id), EM_SETSEL, 0, 0);
  SendMessageW(Control(id), EM_SCROLLCARET, 0, 0);
}

}  // namespace dx::ui
