#include "e2e/app.h"

#include <commctrl.h>

#include <vector>

#include "e2e/input.h"
#include "e2e/remote.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "ui/layout.h"

namespace dxe {

namespace {

struct ChildSearch {
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  if (GetDlgCtrlID(hwnd) == s->id) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindTopWindow(DWORD pid, std::wstring_view cls, std::wstring_view caption, bool visible_only) {
  const std::vector<HWND> found = TopWindows(cls, pid, visible_only, caption);
  return found.empty() ? nullptr : found.front();
}

HWND FocusOf(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info);
  return info.hwndFocus;
}

bool InFront(HWND top) {
  if (GetForegroundWindow() != top) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) && info.hwndActive == top;
}

bool WaitIdle(HWND top) {
  DWORD pid = 0;
  GetWindowThreadProcessId(top, &pid);
  if (pid == GetCurrentProcessId()) return true;  // the waits pump our own messages
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!process) return false;
  const bool idle = WaitUntil([&] { return WaitForInputIdle(process, 0) == 0; }, kTimeoutMs);
  CloseHandle(process);
  return idle;
}

bool BringToFront(HWND top) {
  SetForegroundWindow(top);
  return WaitUntil([&] { return InFront(top); }, kTimeoutMs) && WaitIdle(top);
}

App::~App() {
  if (process_.hProcess) {
    if (Alive()) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

bool App::StartForBenchmark(const std::wstring& exe, Report& report) {
  wchar_t cwd[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, cwd);
  if (!Start(exe, cwd, report)) return false;
  SetWindowPos(main_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return true;
}

bool App::Start(const std::wstring& exe, const std::wstring& workdir, Report& report) {
  report_ = &report;
  std::wstring cmd = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, workdir.c_str(), &si,
                      &process_)) {
    report.Expect(false, "dorvaxil.exe starts", Narrow(exe) + ", error " + std::to_string(GetLastError()));
    return false;
  }
  const DWORD pid = process_.dwProcessId;
  bool up = WaitUntil([&] {
    main_ = FindTopWindow(pid, Widen(dx::layout::kMainWindowClass));
    picker_ = FindTopWindow(pid, Widen(dx::layout::kPickerWindowClass), {}, false);
    return (main_ && picker_) || !Alive();
  }, kStartTimeoutMs);
  return report.Expect(up && Alive(), "the main window and the hidden picker appear");
}

bool App::Alive() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void App::Stop(Report& report) {
  if (!process_.hProcess) return;
  if (!report.Expect(Alive(), "the program is still running at the end (no crash)")) {
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    report.Note("exit code " + std::to_string(code));
    return;
  }
  // Close every box the scenario may have left open, then the window.
  PostMessageW(main_, WM_CLOSE, 0, 0);
  bool ended = WaitUntil([&] { return !Alive(); }, kTimeoutMs);
  if (!ended) {
    TerminateProcess(process_.hProcess, 98);
    report.Expect(false, "the program ends when its main window is closed");
  }
}

HWND App::FindById(HWND top, int id) {
  ChildSearch s{id};
  EnumChildWindows(top, MatchChild, LPARAM(&s));
  return s.found;
}

HWND App::Control(std::string_view name) {
  if (auto it = cache_.find(name); it != cache_.end() && IsWindow(it->second)) return it->second;
  const dx::layout::ControlRow* entry = dx::layout::FindControl(name);
  HWND found = nullptr;
  if (entry) found = FindById(entry->parent == dx::layout::Parent::Picker ? picker_ : main_, entry->id);
  if (report_) report_->Expect(found != nullptr, "control " + std::string(name) + " exists");
  if (found) cache_[std::string(name)] = found;
  return found;
}

std::wstring App::Text(std::string_view control) {
  HWND h = Control(control);
  return h ? WindowText(h) : L"<missing>";
}

void App::SetText(std::string_view control, std::wstring_view text) {
  if (HWND h = Control(control)) SetWindowTextRemote(h, text);
}

std::wstring App::Status() {
  HWND bar = Control("SBar");
  return bar ? StatusBarText(Process(), bar) : L"<missing>";
}

void App::Click(std::string_view control) {
  if (HWND h = Control(control)) PostMessageW(h, BM_CLICK, 0, 0);
}

bool App::ShowPage(int page_id) {
  HWND tab = Control("TabMain");
  if (!tab) return false;
  const int page = page_id - dx::layout::IdPageMain;
  HWND container = FindById(main_, page_id);
  BringToFront(main_);
  const RECT item = TabItemRect(Process(), tab, page);
  POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(tab, &p);
  ClickAt(p.x, p.y, 1);
  return WaitUntil([&] { return Send(tab, TCM_GETCURSEL) == page && IsWindowVisible(container); }, kTimeoutMs) &&
         WaitIdle(main_);
}

bool App::WaitCaption(std::wstring_view caption, int timeout_ms) {
  return WaitUntil([&] { return Text("BGO") == caption || !Alive(); }, timeout_ms) && Alive();
}

bool App::WaitStatus(std::wstring_view status, int timeout_ms) {
  return WaitUntil([&] { return Status() == status || !Alive(); }, timeout_ms) && Alive();
}

}  // namespace dxe
