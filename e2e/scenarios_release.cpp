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
#include "ui/control_font.h"
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
struct Ink {
  int w = 0, h = 0;
  std::vector<bool> on;
  bool operator==(const Ink&) const = default;
  int Count() const { return static_cast<int>(std::count(on.begin(), on.end(), true)); }
  bool At(int x, int y) const { return on[static_cast<size_t>(y * w + x)]; }
};

Ink InkOf(HDC dc, int w, int h) {
  Ink ink{w, h, {}};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      ink.on.push_back(GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128);
    }
  }
  return ink;
}

// A memory bitmap of w x h on the screen's format, for `paint` to fill.
template <class Paint>
Ink PaintedInk(int w, int h, Paint paint) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  paint(mem, screen);
  Ink ink = InkOf(mem, w, h);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ink;
}

// The control's client area as the screen shows it.
Ink ScreenInk(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  POINT origin{0, 0};
  ClientToScreen(control, &origin);
  return PaintedInk(client.right, client.bottom, [&](HDC mem, HDC screen) {
    BitBlt(mem, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
  });
}

// The text drawn as a static label draws it, in `font`.
Ink DrawnInk(const std::wstring& text, HFONT font, int w, int h) {
  return PaintedInk(w, h, [&](HDC mem, HDC) {
    HGDIOBJ old_font = SelectObject(mem, font);
    RECT rect{0, 0, w, h};
    FillRect(mem, &rect, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(mem, text.c_str(), -1, &rect, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK);
    SelectObject(mem, old_font);
  });
}

HFONT FaceFont(const std::wstring& face) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return CreateFontW(-L::Scaled(L::kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     face.c_str());
}

// The font the program gives the control, made as the program makes it.
struct ControlFontHere {
  explicit ControlFontHere(const char* control) {
    HDC screen = GetDC(nullptr);
    font = dx::ui::CreateControlFont(GetDeviceCaps(screen, LOGPIXELSY), dx::ui::LettersOf(*L::FindControl(control)));
    ReleaseDC(nullptr, screen);
  }
  ~ControlFontHere() { DeleteObject(font); }
  HFONT font;
};

// Whether `part`'s ink (its bounding box) stands somewhere in `whole`,
// pixel for pixel, the rest of that box blank as well.
bool InkContains(const Ink& whole, const Ink& part) {
  int left = part.w, top = part.h, right = -1, bottom = -1;
  for (int y = 0; y < part.h; ++y) {
    for (int x = 0; x < part.w; ++x) {
      if (!part.At(x, y)) continue;
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return false;
  const int bw = right - left + 1, bh = bottom - top + 1;
  for (int oy = 0; oy + bh <= whole.h; ++oy) {
    for (int ox = 0; ox + bw <= whole.w; ++ox) {
      bool same = true;
      for (int y = 0; y < bh && same; ++y)
        for (int x = 0; x < bw && same; ++x) same = whole.At(ox + x, oy + y) == part.At(left + x, top + y);
      if (same) return true;
    }
  }
  return false;
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
  BringToFront(s.app.Main());
  PumpFor(300);
  HWND label = s.app.Control("LabelWin");
  if (!label) return;
  const std::wstring text = WindowText(label);
  const Ink shown = ScreenInk(label);
  const ControlFontHere table("LabelWin");
  const Ink want = DrawnInk(text, table.font, shown.w, shown.h);
  HFONT courier = FaceFont(L"Courier New");
  r.Expect(shown.Count() > 10, "\"" + Narrow(text) + "\" shows ink");
  r.Expect(shown == want, "\"" + Narrow(text) + "\" is drawn in " + Narrow(face));
  r.Expect(DrawnInk(text, courier, shown.w, shown.h) != want, "another face would draw it differently");
  DeleteObject(courier);
}

// A text with letters beyond ASCII, and how the user brings it up.
struct GlyphRow {
  const char* control;
  std::wstring text;
  int page;            // the page to show first
  const char* button;  // the button that shows it; nullptr: none
  bool typed;          // document text, typed into the control
};

// Document text beyond ASCII: the letter of byte 0xE0 in the machine's ANSI
// code page ("\u00E0" in the western one, "\u0155" in the central-European).
std::wstring AnsiLetters() {
  wchar_t letter = L'?';
  MultiByteToWideChar(CP_ACP, 0, "\xE0", 1, &letter, 1);
  return std::wstring(L"notes ") + letter;
}

// Every letter of each text is a glyph of the program's font, not the box
// it draws for a character it lacks, and the screen shows the text so.
void LettersHaveGlyphs(Context& c, const void*) {
  const GlyphRow rows[] = {
      {"LabelLocalisation", Widen(L::FindControl("LabelLocalisation")->caption), L::IdPageHelp, nullptr, false},
      {"MemoNotes", AnsiLetters(), L::IdPageMain, nullptr, true},
      {"SBar", Widen(dx::kStatusPickPosition), L::IdPageLocations, "SB1", false},
  };
  Report& r = c.report;
  const int size = 4 * L::Scaled(L::kFontHeight, c.dpi);
  Session s(c);
  if (!s.ok) return;
  for (const GlyphRow& row : rows) {
    const ControlFontHere font(row.control);
    const Ink box = DrawnInk(L"\xE000", font.font, size, size);  // a private-use character no face has
    r.Expect(box.Count() > 0, std::string("the font of ") + row.control + " draws a box for a character it lacks");
    const std::wstring& text = row.text;
    for (const wchar_t letter : text) {
      if (letter < 0x80) continue;
      r.Expect(DrawnInk(std::wstring(1, letter), font.font, size, size) != box,
               "\"" + Narrow(std::wstring(1, letter)) + "\" of " + Shown(text) + " has a glyph");
    }
    r.Expect(s.app.ShowPage(row.page), "page " + std::to_string(row.page) + " shows");
    if (row.typed) s.app.SetText(row.control, text);
    if (row.button) s.app.Click(row.button);
    HWND control = s.app.Control(row.control);
    if (!control) continue;
    if (row.button) r.Expect(s.app.WaitStatus(text, kTimeoutMs), "the status bar shows " + Shown(text));
    Ink shown;
    const Ink want = DrawnInk(text, font.font, ScreenInk(control).w, 3 * L::Scaled(L::kFontHeight, c.dpi));
    const bool drawn = WaitUntil([&] { return InkContains(shown = ScreenInk(control), want); }, kTimeoutMs);
    r.Expect(drawn, row.control + std::string(" draws ") + Shown(text) + " in its font");
  }
}

}  // namespace

void AddReleaseScenarios(std::vector<Scenario>& out) {
  out.push_back({"help_opens_manual", "the help button opens dorvaxil.txt from the program's folder in notepad",
                 HelpOpensManual});
  out.push_back({"controls_font", "Wine's faces are installed and the controls are drawn in the table's",
                 ControlsDrawTheTableFace});
  out.push_back({"glyphs", "the letters beyond ASCII of the help page and the status bar are drawn, none as a box",
                 LettersHaveGlyphs});
}

}  // namespace dxe
