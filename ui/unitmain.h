// TFormMain: the main window. It owns the whole editable state of a script
// in its controls and implements the engine's view of the window over
// them. Handlers bear the names of the controls that raise them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "engine/go_button.h"
#include "engine/host.h"
#include "win32/message_pump.h"
#include "win32/win32_engine_platform.h"
#include "base/file_system.h"
#include "ui/control_factory.h"
#include "ui/document_binding.h"
#include "ui/dpi.h"
#include "ui/memo_editor.h"
#include "ui/tooltips.h"
#include "ui/unitcheck.h"

namespace dx::ui {

class TFormWin;

class TFormMain final : public MainWindow, private GoButton, private ControlTextAccess, private KeyDownSink {
 public:
  static void RegisterWindowClass(HINSTANCE instance);
  // Builds the window and its controls and runs FormCreate; not yet shown.
  bool Create(HINSTANCE instance, win::MessagePump& pump);
  void SetPicker(TFormWin* picker) { picker_ = picker; }

  HWND Handle() const { return hwnd_; }
  HWND Control(int id) const { return controls_[id]; }
  int Dpi() const { return dpi_; }

  // MainWindow.
  MainWindowFields& Fields() override { return fields_; }
  int EditorLineCount() override;
  std::string EditorLine(int index) override;
  void SelectInEditor(int start, int length) override;
  int EditorSelectionLength() override;
  void ShowEditorSelection() override;
  std::string LocationXText(int n) override;
  std::string LocationYText(int n) override;
  std::string KeySlotText(int n) override;
  std::string TargetWindowText() override;
  void SetStatusText(std::string_view utf8) override;
  void RunPhaseChanged(RunPhase phase) override { FollowRunPhase(*this, phase); }
  // The caption of BGO, which says what a click on it does.
  std::string GoCaption() override;
  void SetGoCaption(std::string_view caption) override;
  void ShowPlainMessage(std::string_view utf8) override;
  void DeliverMessages() override;
  bool ApplicationTerminating() override;

  // Handlers, named after the control and event that raise them.
  void FormCreate();
  void FormResize();
  // The go/stop button: its click starts the run or asks it to stop (the
  // engine's go button); this one keeps tips away meanwhile and shows what
  // the run failed with.
  void BGOClick();
  void SBScriptLoadClick();
  void SBScriptSaveClick();
  void SBWinClick();
  void Button2Click();
  // The click of Button1 on the help page (the name is the event's, kept
  // from the label the button once was): opens the manual.
  void Label61Click();
  // The memo's "Check script" entry and F7: the checker's findings for the
  // document as the controls hold it, in the check window.
  void CheckScriptClick();
  // Shows the code page with line `index` (0-based) of the memo selected.
  void SelectCodeLine(int index);

  // Stop hot key (stop_key.cpp).
  void EditStopKeyKeyDown(HWND sender, uint16_t& key);
  void CheckShiftClick(HWND sender);
  void OnHotKey(WPARAM id);
  // Whether the status bar shows the stop key's not-registered warning;
  // any other status text replaces it.
  bool NotRegisteredWarningShown() const { return notRegisteredWarningShown_; }
  void MarkNotRegisteredWarningShown() { notRegisteredWarningShown_ = true; }
  // Slot capture (slot_capture.cpp).
  // Serves the 20 location buttons: "SB12" arms slot 12.
  void SBClick(HWND sender);
  // Serves all 40 key slots, named after the first: writes into `sender`.
  void key1KeyDown(HWND sender, uint16_t& key);
  void OnActivateApp(bool active);
  // The loss of activation as seen once the other application is active.
  void OnApplicationDeactivated();
  void CaptureLocation();  // the armed deactivation handler
  static constexpr UINT kApplicationDeactivatedMessage = WM_APP + 1;

 private:
  template <class Form>
  friend LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // KeyDownSink: the stop-key field and the key slots.
  void EditKeyDown(HWND edit, uint16_t& key) override;

  void OnCreate();
  void OnCommand(int id, int code, HWND control);
  void OnNotify(const NMHDR& header);
  void OnSize(WPARAM kind);
  void OnDpiChanged(const DpiChange& change);
  void OnGetMinMaxInfo(MINMAXINFO& info);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  void OnClose();

  void BuildControls();
  void LayoutFrame();
  // The client area, in its own coordinates, that a row's place is relative to.
  RECT ParentArea(const layout::ControlRow& row);
  // A bottom-aligned row at the bottom of its parent, `left` from both sides.
  void PlaceAtBottom(const layout::ControlRow& row, int height);
  void ShowPage(int index);
  int S(int value) const;  // a 96-DPI value at this window's DPI
  void FinishDeferredClose();

  // ControlTextAccess: document texts, in the ANSI code page.
  std::string Text(int id) override;
  void SetText(int id, const std::string& text) override;
  void CaretToStart(int id) override;

  HWND hwnd_ = nullptr;
  HINSTANCE instance_ = nullptr;
  win::MessagePump* pump_ = nullptr;
  TFormWin* picker_ = nullptr;
  TFormCheck check_;
  ControlFont font_;
  int dpi_ = 96;
  ControlMap controls_;
  Tooltips tooltips_;
  MemoEditor memo_;
  MainWindowFields fields_;
  std::unique_ptr<EnginePlatform> platform_;
  win::Win32FileSystem files_;
  std::string openDialogName_;  // the open dialog offers the last name again
  // BGOClick calls on the stack. Wider than the run's own flag: it also
  // covers the boxes a click shows before and after the run, during which a
  // close must wait as well.
  int runDepth_ = 0;
  bool hotKeyRegistered_ = false;  // the stop key is registered with the system
  int32_t captureSlot_ = 0;        // the location slot a capture writes
  bool closeRequested_ = false;
  bool notRegisteredWarningShown_ = false;
  // The application's deactivation handler: empty, or the armed capture.
  void (TFormMain::*deactivationHandler_)() = nullptr;
};

}  // namespace dx::ui
