// The demonstration: a drawing target window on the right, dorvaxil.exe on
// the left with the bundled script in its code page, "go", and the strokes
// the script draws left on the screen for a screenshot.
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/app.h"
#include "e2e/dialogs.h"
#include "e2e/input.h"
#include "e2e/modes.h"
#include "e2e/remote.h"
#include "e2e/target.h"
#include "e2e/text.h"
#include "e2e/wait.h"

namespace dxe {

namespace {

// The script uses screen coordinates: the target must stand exactly here.
constexpr int kDemoX = 420, kDemoY = 120, kDemoW = 520, kDemoH = 460;

bool ReadScript(const std::wstring& path, std::wstring& code) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  code.clear();
  // The script file is plain ASCII with LF or CR LF line ends; the editor wants CR LF.
  for (char c : bytes) {
    if (c == '\r') continue;
    if (c == '\n') code += L"\r\n";
    else code += wchar_t(static_cast<unsigned char>(c));
  }
  return true;
}

}  // namespace

int RunDemo(const std::wstring& exe, const std::wstring& script, const std::wstring& ready_file) {
  std::wstring code;
  if (!ReadScript(script, code)) {
    std::fprintf(stderr, "cannot read the demo script\n");
    return 2;
  }
  Report report;
  App app;
  wchar_t cwd[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, cwd);
  Target canvas(L"Dorvaxil demo target", kDemoX, kDemoY, kDemoW, kDemoH, true);
  if (!app.Start(exe, cwd, report)) return 1;
  SetWindowPos(app.Main(), nullptr, 20, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  app.SetText("Memo", code);
  app.SetText("EditWin", canvas.Entry());
  // Show the code page, so that the screenshot shows the script too: the
  // program switches pages on a real click on the tab.
  if (HWND tab = app.Control("TabMain")) {
    RECT r = TabItemRect(app.Process(), tab, 3);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(tab, &p);
    ClickAt(p.x, p.y, 1);
    PumpFor(200);
  }
  app.Click("BGO");
  WaitUntil([&] { return app.Status() == kStatusActive; }, kTimeoutMs);
  const bool ended = WaitUntil([&] { return app.Status() == kStatusStopped; }, 120000);
  std::printf("demo run %s; target received %zu events\n", ended ? "ended" : "did not end", canvas.Events().size());
  canvas.Fill(RGB(255, 255, 255));  // repaint with the strokes
  HANDLE marker = CreateFileW(ready_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(marker);
  // Keep the windows on screen until the screenshot has been taken.
  WaitUntil([&] { return GetFileAttributesW(ready_file.c_str()) == INVALID_FILE_ATTRIBUTES; }, 60000);
  CloseAllDialogs(app.Pid());
  app.Stop(report);
  return ended ? 0 : 1;
}

}  // namespace dxe
