#include "ui/unitmain.h"

#include <commctrl.h>

#include <algorithm>

#include "checker/check_script.h"
#include "engine/run_script.h"
#include "platform/file_dialogs.h"
#include "platform/system_commands.h"
#include "platform/text_encoding.h"
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
  if (id >= layout::SBId(1) && id <= layout::SBId(kLocationSlotCount)) {
    SBClick(Control(id));
    return;
  }
  switch (id) {
    case layout::IdBGO: BGOClick(); break;
    case layout::IdSBScriptLoad: SBScriptLoadClick(); break;
    case layout::IdSBScriptSave: SBScriptSaveClick(); break;
    case layout::IdSBWin: SBWinClick(); break;
    case layout::IdCheckAlt:
    case layout::IdCheckCtrl:
    case layout::IdCheckShift: CheckShiftClick(Control(id)); break;
    case layout::IdButton2: Button2Click(); break;
    case layout::IdButton1: Label61Click(); break;
    default: break;
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

void TFormMain::LayoutFrame() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = client.right;
  const int barHeight = S(layout::kStatusBarHeight);
  const int notebookHeight = std::max(0, static_cast<int>(client.bottom) - barHeight);
  MoveWindow(Control(layout::IdSBar), 0, notebookHeight, width, barHeight, TRUE);
  HWND tab = Control(layout::IdTabMain);
  MoveWindow(tab, 0, 0, width, notebookHeight, TRUE);
  RECT display{0, 0, width, notebookHeight};
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const int pageWidth = std::max(0, static_cast<int>(display.right - display.left));
  const int pageHeight = std::max(0, static_cast<int>(display.bottom - display.top));
  for (int id = layout::IdPageMain; id <= layout::IdPageHelp; ++id) {
    MoveWindow(Control(id), display.left, display.top, pageWidth, pageHeight, TRUE);
  }
  MoveWindow(Control(layout::IdGroupBox1), 0, 0, pageWidth, pageHeight, TRUE);
  MoveWindow(Control(layout::IdMemo), 0, 0, pageWidth, pageHeight, TRUE);
  const int labelHeight = S(layout::kLabelHeight);
  MoveWindow(Control(layout::IdLabelLocalisation), 0, pageHeight - labelHeight, pageWidth, labelHeight, TRUE);
  FormResize();
}

void TFormMain::FormResize() {
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  // MemoNotes keeps its place at the bottom of its group box, inside the border.
  const layout::ControlRow& notes = *layout::FindControl(layout::IdMemoNotes);
  const int notesHeight = layout::MemoNotesHeightFor(outer.bottom - outer.top, dpi_);
  const int left = S(notes.left), inset = S(notes.bottomInset);
  RECT box{};
  GetClientRect(Control(layout::IdGroupBox1), &box);
  MoveWindow(Control(layout::IdMemoNotes), left, box.bottom - inset - notesHeight,
             std::max(0, static_cast<int>(box.right) - 2 * left), notesHeight, TRUE);
  const layout::ControlRow& go = *layout::FindControl(layout::IdBGO);
  SetWindowPos(Control(layout::IdBGO), HWND_TOP, layout::GoButtonLeftFor(outer.right - outer.left, dpi_), S(go.top),
               0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
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
    dx::BGOClick(*this, *platform_);
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
