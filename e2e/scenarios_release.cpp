// What a user of a fresh installation meets: the help button opens the
// manual that ships beside the program, and the controls are drawn in the
// face the layout table names, not in a substitute (Wine's own faces must
// be registered in the prefix for that).
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "texts/program_texts.h"
#include "ui/layout.h"

namespace dxe {

namespace {

namespace L = dx::layout;


std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

HWND VisibleTopOfClass(const std::wstring& cls) {
  const std::vector<HWND> found = TopWindows(cls);
  return found.empty() ? nullptr : found.front();
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
  std::string bytes;
  ReadFileBytes(c.workdir + L"\\" + Widen(dx::kManualFileName), bytes);
  const std::wstring manual = Widen(bytes);
  if (!r.Expect(manual.size() > 1000, "dorvaxil.txt stands beside dorvaxil.exe")) return;
  Session s(c);
  if (!s.ok) return;
  r.Expect(s.app.ShowPage(dx::layout::IdPageHelp), "the help page shows");
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

int CALLBACK NoteFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<std::wstring*>(found) = lf->lfFaceName;
  return 0;
}

// Whether the system has the face itself (a substitute is enumerated under
// its own name).
bool FaceInstalled(const std::wstring& face) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  std::wstring found;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return lstrcmpiW(found.c_str(), face.c_str()) == 0;
}

// Which pixels of a w x h area are ink (darker than mid-grey).
using InkMask = std::vector<bool>;

InkMask MaskOf(HDC dc, int w, int h) {
  InkMask mask;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      mask.push_back(GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128);
    }
  }
  return mask;
}

// The label as the screen shows it.
InkMask ScreenInk(HWND label, int w, int h) {
  RECT r{};
  GetWindowRect(label, &r);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  InkMask mask = MaskOf(mem, w, h);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return mask;
}

// The text drawn as a static label draws it, in `face`.
InkMask DrawnInk(const std::wstring& text, const std::wstring& face, int w, int h) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old_bmp = SelectObject(mem, bmp);
  HFONT font = CreateFontW(-L::Scaled(L::kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           face.c_str());
  HGDIOBJ old_font = SelectObject(mem, font);
  RECT rect{0, 0, w, h};
  FillRect(mem, &rect, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(mem, TRANSPARENT);
  SetTextColor(mem, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(mem, text.c_str(), -1, &rect, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK);
  InkMask mask = MaskOf(mem, w, h);
  SelectObject(mem, old_font);
  DeleteObject(font);
  SelectObject(mem, old_bmp);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return mask;
}

// The faces Wine must have: the table's, Marlett for the title-bar buttons,
// Tahoma for the system's own texts. Then "Window:" on the screen must be
// the table's face drawn, and not what another face would draw.
void ControlsDrawTheTableFace(Context& c, const void*) {
  Report& r = c.report;
  const std::wstring face = Widen(L::kFontFace);
  for (const std::wstring& f : {face, std::wstring(L"Marlett"), std::wstring(L"Tahoma")}) {
    r.Expect(FaceInstalled(f), Narrow(f) + " is installed");
  }
  Session s(c);
  if (!s.ok) return;
  SetForegroundWindow(s.app.Main());
  WaitUntil([&] { return GetForegroundWindow() == s.app.Main(); }, kTimeoutMs);
  PumpFor(300);
  HWND label = s.app.Control("LabelWin");
  if (!label) return;
  RECT rect{};
  GetClientRect(label, &rect);
  const int w = rect.right, h = rect.bottom;
  const std::wstring text = WindowText(label);
  const InkMask shown = ScreenInk(label, w, h);
  const InkMask want = DrawnInk(text, face, w, h);
  r.Expect(std::count(shown.begin(), shown.end(), true) > 10, "\"" + Narrow(text) + "\" shows ink");
  r.Expect(shown == want, "\"" + Narrow(text) + "\" is drawn in " + Narrow(face));
  r.Expect(DrawnInk(text, L"Courier New", w, h) != want, "another face would draw it differently");
}

}  // namespace

void AddReleaseScenarios(std::vector<Scenario>& out) {
  out.push_back({"help_opens_manual", "the help button opens dorvaxil.txt from the program's folder in notepad",
                 HelpOpensManual});
  out.push_back({"controls_font", "Wine's faces are installed and the controls are drawn in the table's",
                 ControlsDrawTheTableFace});
}

}  // namespace dxe
