// What a user of a fresh installation meets: the help button opens the
// manual that ships beside the program.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"

namespace dxe {

namespace {

constexpr int kPageHelp = 4;

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::wstring FileText(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return Widen(bytes);
}

struct FoundTop {
  std::wstring cls;
  HWND found = nullptr;
};

BOOL CALLBACK FindByClass(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<FoundTop*>(lp);
  if (IsWindowVisible(h) && ClassOf(h) == f->cls) {
    f->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleTopOfClass(const std::wstring& cls) {
  FoundTop f{cls};
  EnumWindows(FindByClass, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

// Closes notepad, and ends it when it will not go.
void CloseNotepad(HWND notepad) {
  DWORD pid = 0;
  GetWindowThreadProcessId(notepad, &pid);
  PostMessageW(notepad, WM_CLOSE, 0, 0);
  if (WaitUntil([&] { return !IsWindow(notepad); }, kTimeoutMs)) return;
  if (HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
    TerminateProcess(p, 97);
    CloseHandle(p);
  }
}

// The program starts in its own folder, as the run command starts it, so
// the help button's "notepad.exe dorvaxil.txt" finds the manual there.
void HelpOpensManual(Context& c, const void*) {
  Report& r = c.report;
  c.workdir = FolderOf(c.exe);
  const std::wstring manual = FileText(c.workdir + L"\\dorvaxil.txt");
  if (!r.Expect(manual.size() > 1000, "dorvaxil.txt stands beside dorvaxil.exe")) return;
  Session s(c);
  if (!s.ok) return;
  Send(s.app.Control("TabMain"), TCM_SETCURSEL, kPageHelp);
  r.ExpectText(s.app.Text("Button1"), L"Help is here...", "the help page's button");
  s.app.Click("Button1");
  HWND notepad = nullptr;
  const bool opened = WaitUntil([&] { return (notepad = VisibleTopOfClass(L"Notepad")) != nullptr; }, kTimeoutMs);
  if (!r.Expect(opened, "the help button opens notepad")) return;
  HWND edit = FindWindowExW(notepad, nullptr, L"Edit", nullptr);
  std::wstring shown;
  WaitUntil([&] { return (shown = WindowText(edit)).size() >= manual.size(); }, kTimeoutMs);
  r.Expect(shown == manual, "notepad shows the manual, all of it",
           std::to_string(shown.size()) + " of " + std::to_string(manual.size()) + " characters");
  CloseNotepad(notepad);
}

}  // namespace

void AddReleaseScenarios(std::vector<Scenario>& out) {
  out.push_back({"help_opens_manual", "the help button opens dorvaxil.txt from the program's folder in notepad",
                 HelpOpensManual});
}

}  // namespace dxe
