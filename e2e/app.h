// One running dorvaxil.exe: started fresh for each scenario, its two
// top-level windows found by class, its controls by their control ids.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "e2e/report.h"
#include "e2e/text.h"
#include "texts/program_texts.h"

namespace dxe {

class App {
 public:
  App() = default;
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Starts `exe` in `workdir` and waits for its main window to show.
  bool Start(const std::wstring& exe, const std::wstring& workdir, Report& report);
  // Starts `exe` in the current folder with its main window at the screen's
  // top-left corner, clear of the benchmark's target window.
  bool StartForBenchmark(const std::wstring& exe, Report& report);
  // Closes the main window and waits for the process to end; a program
  // that will not end is killed and reported.
  void Stop(Report& report);
  bool Alive() const;

  HWND Main() const { return main_; }
  HWND Picker() const { return picker_; }
  HANDLE Process() const { return process_.hProcess; }
  DWORD Pid() const { return process_.dwProcessId; }

  // A control of either window by its name in the layout table; nullptr
  // (and a reported failure) when it does not exist.
  HWND Control(std::string_view name);

  // Texts as the user sees them.
  std::wstring Text(std::string_view control);
  void SetText(std::string_view control, std::wstring_view text);
  std::wstring Status();
  // Clicks a push or picture button without waiting for its handler.
  void Click(std::string_view control);
  // Shows a page the way a user does: brings the main window to the front
  // and clicks the page's tab. `page_id` is its container's id, IdPage...
  bool ShowPage(int page_id);
  // Waits until the go button shows `caption`.
  bool WaitCaption(std::wstring_view caption, int timeout_ms);
  bool WaitStatus(std::wstring_view status, int timeout_ms);

  void SetReport(Report* report) { report_ = report; }

 private:
  HWND FindById(HWND top, int id);

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  HWND picker_ = nullptr;
  std::map<std::string, HWND, std::less<>> cache_;
  Report* report_ = nullptr;
};

// The program's texts as its windows show them.
inline const std::wstring kStatusActive = Widen(dx::kStatusActive);
inline const std::wstring kStatusStopped = Widen(dx::kStatusStopped);
inline const std::wstring kStatusPick = Widen(dx::kStatusPickPosition);
inline const std::wstring kStatusPicked = Widen(dx::kStatusPositionPicked);
inline const std::wstring kCaptionGo = Widen(dx::kCaptionGo);
inline const std::wstring kCaptionStop = Widen(dx::kCaptionStop);

// A top-level window of `pid` with the class and (when given) the caption.
HWND FindTopWindow(DWORD pid, std::wstring_view cls, std::wstring_view caption = {}, bool visible_only = true);

// The control that has the keyboard focus in the thread of window `top`.
HWND FocusOf(HWND top);

// Whether `top` is the foreground window and its own thread has taken the
// activation. The foreground changes at once, the thread activates the
// window when it next reads its messages (under Wine it moves the X focus
// only then): input sent before that can be lost, and an activation still
// on its way undoes a later one.
bool InFront(HWND top);
// Waits until the process of `top` waits for input: then it has handled the
// X events that reached it and sent its own requests. Under Wine a window
// restored or shown moves the X focus, and a pointer that entered it is
// echoed back as a move, only when its process gets round to it; if that
// comes after another program's activation or a later move, it hands the
// foreground to the desktop or puts the pointer back.
bool WaitIdle(HWND top);
// Makes `top` the foreground window, as a user's switch does, and waits
// until it is in front and its process is idle.
bool BringToFront(HWND top);

}  // namespace dxe
